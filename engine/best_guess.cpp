// The best guess: two clicks of safety weighed by the counts of the
// positions a guess may leave, and an exact search of the endgame.
#include "engine/best_guess.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/counting.h"
#include "engine/guess.h"
#include "engine/neighbours.h"
#include "engine/safest_guess.h"

double endgame_arrangements = ENDGAME_ARRANGEMENTS;

namespace {

inline constexpr double TIE = 1e-9;

// The board's count and chances, as the current guess found them.
field_count board_count;
std::vector<double> board_chance;

void count_board()
{
    count_field({sea, xdim, ydim, mines}, board_count);
    board_chance.resize(std::size_t(xdim) * ydim);
    weigh_count(board_count, board_chance.data());
}

double lowest_chance(const std::vector<double>& chance)
{
    double lowest = 1.0;
    for (double c : chance)
        if (c >= 0)
            lowest = std::min(lowest, c);
    return lowest;
}

// two_click_safety() on the board as last counted.
double weigh_two_clicks(int index)
{
    static std::vector<int32_t> after;
    static field_count count;
    static std::vector<double> chance;
    after.assign(sea, sea + xdim * ydim);
    chance.resize(after.size());
    int flagged = 0;
    int hidden = 0;
    for_each_neighbour<ROW_ORDER>(index % xdim, index / xdim, [&](int nx, int ny) {
        int32_t v = cell_value(nx, ny);
        flagged += v == CELL_FLAGGED;
        hidden += is_hidden_unflagged(v);
    });
    // Each number the cell may show: the arrangements that fit it (on a
    // logarithmic scale, all alike), and the safest cell it leaves.
    double log_ways[9];
    double next_safe[9];
    double top = -INFINITY;
    for (int shown = 0; shown <= hidden; shown++) {
        after[index] = flagged + shown;
        count_field({after.data(), xdim, ydim, mines}, count);
        log_ways[shown] = weigh_count(count, chance.data());
        next_safe[shown] = 1.0 - lowest_chance(chance);
        top = std::max(top, log_ways[shown]);
    }
    double ways = 0.0;
    double safe = 0.0;
    for (int shown = 0; shown <= hidden; shown++) {
        double w = std::isinf(log_ways[shown]) ? 0.0 : std::exp(log_ways[shown] - top);
        ways += w;
        safe += w * next_safe[shown];
    }
    return ways > 0 ? (1.0 - board_chance[index]) * safe / ways : 0.0;
}

// The two cells of a group that holds one mine and nothing else can ever
// tell apart: no other hidden cell touches either. Guessed at once, as it
// must be guessed some time. -1 if there is none.
int dead_pair_cell()
{
    for (const group& g : board_count.groups) {
        if (g.vars.size() != 2 || g.ways.size() != 3 || g.ways[0] != 0 || g.ways[1] != 2 || g.ways[2] != 0)
            continue;
        int a = board_count.var_cell[g.vars[0]];
        int b = board_count.var_cell[g.vars[1]];
        bool closed = true;
        for (int cell : {a, b})
            for_each_neighbour<ROW_ORDER>(cell % xdim, cell / xdim, [&](int nx, int ny) {
                int i = nx + ny * xdim;
                closed = closed && (i == a || i == b || !is_hidden_unflagged(cell_value(nx, ny)));
            });
        if (closed)
            return a;
    }
    return -1;
}

// The endgame: every arrangement that fits, as a mask over the hidden
// unflagged cells (bit b is cells[b]); around[b], the bits of b's hidden
// neighbours, whose mines decide the number b shows.
struct endgame {
    std::vector<int> cells;
    std::vector<uint64_t> around;
    std::vector<uint64_t> layouts;
    uint64_t all = 0;
    std::vector<uint8_t> shown;  // see tabulate_shown()
    std::vector<uint16_t> pool;  // the sets of layouts on the search's path, each after the one it came from
    uint64_t opened = 0;         // the cells opened on the search's path
    int nodes = 0;
    std::unordered_map<uint64_t, std::pair<double, int>> known;  // a set of layouts' value and choice, by its hash
};

endgame game;

// Lists the arrangements of the count behind the board. False if there are
// more than 64 hidden unflagged cells.
bool list_layouts()
{
    game.cells.clear();
    std::vector<int> bit_of(std::size_t(xdim) * ydim, -1);
    for (int i = 0; i < xdim * ydim; i++)
        if (is_hidden_unflagged(sea[i])) {
            if (game.cells.size() == 64)
                return false;
            bit_of[i] = int(game.cells.size());
            game.cells.push_back(i);
        }
    game.all = game.cells.size() == 64 ? ~uint64_t(0) : (uint64_t(1) << game.cells.size()) - 1;
    game.around.assign(game.cells.size(), 0);
    for (std::size_t b = 0; b < game.cells.size(); b++)
        for_each_neighbour<ROW_ORDER>(game.cells[b] % xdim, game.cells[b] / xdim, [&](int nx, int ny) {
            if (int n = bit_of[nx + ny * xdim]; n >= 0)
                game.around[b] |= uint64_t(1) << n;
        });
    count_field({sea, xdim, ydim, mines}, board_count, true);
    // Each group's arrangements as masks with their mines.
    std::vector<std::vector<std::pair<uint64_t, int>>> parts;
    for (const group& g : board_count.groups) {
        parts.emplace_back();
        uint64_t mask = 0;
        int mined = 0;
        for (int local : g.arrangements) {
            if (local >= 0) {
                mask |= uint64_t(1) << bit_of[board_count.var_cell[g.vars[local]]];
                mined++;
                continue;
            }
            parts.back().emplace_back(mask, mined);
            mask = 0;
            mined = 0;
        }
    }
    std::vector<uint64_t> free_bits;
    for (int cell : board_count.free_cells)
        free_bits.push_back(uint64_t(1) << bit_of[cell]);
    game.layouts.clear();
    // The groups one by one, then the mines left on the free cells.
    auto place_free = [&](auto& self, std::size_t from, int left, uint64_t mask) -> void {
        if (left == 0) {
            game.layouts.push_back(mask);
            return;
        }
        for (std::size_t f = from; f + left <= free_bits.size(); f++)
            self(self, f + 1, left - 1, mask | free_bits[f]);
    };
    auto place_group = [&](auto& self, std::size_t g, int left, uint64_t mask) -> void {
        if (g == parts.size()) {
            place_free(place_free, 0, left, mask);
            return;
        }
        for (auto [part, mined] : parts[g])
            if (mined <= left)
                self(self, g + 1, left - mined, mask | part);
    };
    place_group(place_group, 0, board_count.left, 0);
    return true;
}

// The number each cell shows in each layout (its hidden neighbours' mines):
// shown[b * layouts + i].
void tabulate_shown()
{
    std::size_t count = game.layouts.size();
    game.shown.resize(game.cells.size() * count);
    for (std::size_t b = 0; b < game.cells.size(); b++)
        for (std::size_t i = 0; i < count; i++)
            game.shown[b * count + i] = uint8_t(std::popcount(game.layouts[i] & game.around[b]));
}

uint64_t hash_of(const uint16_t* set, int size)
{
    uint64_t h = 1469598103934665603ull;
    for (int k = 0; k < size; k++)
        h = (h ^ set[k]) * 1099511628211ull;
    return h ^ (uint64_t(size) << 48);
}

// The layouts set[0] to set[size - 1] where the cell of bit b is safe,
// copied to the top of the pool grouped by the number the cell shows:
// part k starts at start[k] and ends at start[k + 1].
void split(const uint16_t* set, int size, int b, int (&start)[10])
{
    const uint8_t* shown = game.shown.data() + std::size_t(b) * game.layouts.size();
    uint64_t bit = uint64_t(1) << b;
    int counts[9] = {};
    for (int k = 0; k < size; k++)
        if (!(game.layouts[set[k]] & bit))
            counts[shown[set[k]]]++;
    start[0] = int(game.pool.size());
    for (int v = 0; v < 9; v++)
        start[v + 1] = start[v] + counts[v];
    game.pool.resize(std::size_t(start[9]));
    int fill[9];
    std::copy(start, start + 9, fill);
    for (int k = 0; k < size; k++)
        if (!(game.layouts[set[k]] & bit))
            game.pool[std::size_t(fill[shown[set[k]]]++)] = set[k];
}

double solve(int from, int size, int* choice);

// The layouts where the cell of bit b is safe, weighed by the chance of
// winning after it is opened (a sum over layouts: divided by the layouts it
// started from, a chance). Stops once the sum cannot pass enough; -1 once
// the node budget is spent.
double open_and_solve(int from, int size, int b, double enough)
{
    int start[10];
    split(game.pool.data() + from, size, b, start);
    uint64_t before = game.opened;
    game.opened |= uint64_t(1) << b;
    double sum = 0.0;
    double left = start[9] - start[0];
    for (int v = 0; v < 9 && sum + left > enough; v++) {
        int part = start[v + 1] - start[v];
        if (part == 0)
            continue;
        int next;
        double value = solve(start[v], part, &next);
        if (value < 0)
            return -1;
        sum += part * value;
        left -= part;
    }
    game.opened = before;
    game.pool.resize(std::size_t(start[0]));
    return sum;
}

// The chance of winning from the layouts pool[from] to pool[from + size - 1]
// under the best play, and in *choice the bit of the cell that play opens;
// -1 once the node budget is spent.
double solve(int from, int size, int* choice)
{
    if (++game.nodes > ENDGAME_NODES)
        return -1;
    const uint16_t* set = game.pool.data() + from;
    uint64_t every = game.all;
    uint64_t any = 0;
    for (int k = 0; k < size; k++) {
        every &= game.layouts[set[k]];
        any |= game.layouts[set[k]];
    }
    uint64_t unknown = any & ~every;
    if (unknown == 0)
        return 1.0;
    // A safe cell that tells something is opened for nothing.
    std::size_t count = game.layouts.size();
    // (Those opened on the way here show one number in every layout left.)
    for (uint64_t safe = game.all & ~any & ~game.opened; safe; safe &= safe - 1) {
        int b = std::countr_zero(safe);
        const uint8_t* shown = game.shown.data() + std::size_t(b) * count;
        bool tells = false;
        for (int k = 1; k < size && !tells; k++)
            tells = shown[set[k]] != shown[set[0]];
        if (!tells)
            continue;
        *choice = b;
        double sum = open_and_solve(from, size, b, -1.0);
        return sum < 0 ? -1 : sum / size;
    }
    uint64_t key = hash_of(set, size);
    if (auto found = game.known.find(key); found != game.known.end()) {
        *choice = found->second.second;
        return found->second.first;
    }
    // Guesses, the safest first: none can win more often than it is safe.
    int mined[64] = {};  // layouts where the cell of each bit is a mine
    for (int k = 0; k < size; k++)
        for (uint64_t m = game.layouts[set[k]] & unknown; m; m &= m - 1)
            mined[std::countr_zero(m)]++;
    std::pair<int, int> order[64];  // (mined, bit)
    int guesses = 0;
    for (uint64_t rest = unknown; rest; rest &= rest - 1)
        order[guesses++] = {mined[std::countr_zero(rest)], std::countr_zero(rest)};
    std::sort(order, order + guesses);
    double best = 0.0;  // as a sum over layouts
    *choice = order[0].second;
    for (int g = 0; g < guesses && size - order[g].first > best + TIE; g++) {
        double sum = open_and_solve(from, size, order[g].second, best + TIE);
        if (sum < 0)
            return -1;
        if (sum > best + TIE) {
            best = sum;
            *choice = order[g].second;
        }
    }
    game.known[key] = {best / size, *choice};
    return best / size;
}

// endgame_win_chance() on the board as last counted.
double search_endgame(int* index)
{
    if (arrangement_total(board_count, endgame_arrangements) > endgame_arrangements || !list_layouts() ||
        game.layouts.empty())
        return -1;
    tabulate_shown();
    // Each set on a path is smaller than the one before it and the path
    // opens each cell at most once: the pool never moves.
    game.pool.reserve(game.layouts.size() * (game.cells.size() + 2));
    game.pool.resize(game.layouts.size());
    for (std::size_t i = 0; i < game.layouts.size(); i++)
        game.pool[i] = uint16_t(i);
    game.nodes = 0;
    game.opened = 0;
    game.known.clear();
    int b = -1;
    double chance = solve(0, int(game.layouts.size()), &b);
    if (chance >= 0 && b >= 0)
        *index = game.cells[b];
    return b >= 0 ? chance : -1;
}

}  // namespace

double two_click_safety(int index)
{
    count_board();
    return weigh_two_clicks(index);
}

double endgame_win_chance(int* index)
{
    count_board();
    return search_endgame(index);
}

int best_cell()
{
    int n = xdim * ydim;
    count_board();
    double lowest = lowest_chance(board_chance);
    // The cells near the lowest chance, in the order safest_cell() prefers.
    std::vector<std::pair<double, int>> near;
    for (int i = 0; i < n; i++)
        if (board_chance[i] >= 0 && board_chance[i] <= lowest + LOOK_AHEAD_MARGIN)
            near.emplace_back(board_chance[i] + TIE * guess_rank(i) / 32, i);
    std::sort(near.begin(), near.end());
    if (near.empty() || lowest == 0.0)
        return near.empty() ? -1 : near.front().second;
    if (int cell = dead_pair_cell(); cell >= 0)
        return cell;
    int cell = -1;
    if (search_endgame(&cell) >= 0)
        return cell;
    double best = -1.0;
    for (int k = 0; k < int(near.size()) && k < LOOK_AHEAD_CELLS; k++) {
        int i = near[k].second;
        if (1.0 - board_chance[i] <= best + TIE)
            continue;
        double safety = weigh_two_clicks(i);
        if (safety > best + TIE) {
            best = safety;
            cell = i;
        }
    }
    return cell;
}

int make_best_guess()
{
    if (num_hidden(xdim * ydim) == 0)
        return 0;
    int cell = best_cell();
    guess_safety *= 1.0 - board_chance[cell];
    inexact_guesses += !board_count.exact;
    return open_guessed_cell(cell);
}
