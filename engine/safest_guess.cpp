// The safest guess: exact mine chances by counting arrangements group by group.
#include "engine/safest_guess.h"

#include <algorithm>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/chances.h"
#include "engine/guess.h"
#include "engine/neighbours.h"

double guess_safety = 1.0;
int32_t inexact_guesses;

namespace {

inline constexpr double TIE = 1e-9;

// Flagged neighbours count as hidden: a cell beside a known mine can never
// show a 0, so it is no nearer a corner for the flag.
int hidden_around(int x, int y)
{
    int count = 0;
    for_each_neighbour<ROW_ORDER>(x, y, [&count](int nx, int ny) { count += cell_value(nx, ny) < 0; });
    return count;
}

bool next_to_number(int x, int y)
{
    bool next = false;
    for_each_neighbour<ROW_ORDER>(x, y, [&next](int nx, int ny) { next = next || cell_value(nx, ny) >= 0; });
    return next;
}

}  // namespace

int guess_rank(int index)
{
    int x = index % xdim;
    int y = index / xdim;
    return hidden_around(x, y) + (next_to_number(x, y) ? 0 : 9);
}

int safest_cell(const std::vector<double>& chance)
{
    double lowest = 2.0;
    for (double c : chance)
        if (c >= 0)
            lowest = std::min(lowest, c);
    int best = -1;
    int best_rank = 0;
    for (int i = 0; i < int(chance.size()); i++) {
        if (chance[i] < 0 || chance[i] > lowest + TIE)
            continue;
        int rank = guess_rank(i);
        if (best < 0 || rank < best_rank) {
            best = i;
            best_rank = rank;
        }
    }
    return best;
}

int make_safest_guess()
{
    if (num_hidden(xdim * ydim) == 0)
        return 0;
    static std::vector<double> chance;
    chance.resize(std::size_t(xdim) * ydim);
    int exact = compute_chances(chance.data());
    int cell = safest_cell(chance);
    guess_safety *= 1.0 - chance[cell];
    inexact_guesses += exact != CHANCES_EXACT;
    return open_guessed_cell(cell);
}
