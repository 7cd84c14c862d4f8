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

uint64_t hash_of(const std::vector<uint16_t>& set)
{
    uint64_t h = 1469598103934665603ull;
    for (uint16_t i : set)
        h = (h ^ i) * 1099511628211ull;
    return h ^ (uint64_t(set.size()) << 48);
}

// The layouts of set where the cell of bit b is safe, split by the number it
// shows: parts[k] holds those that show k hidden mines around it.
void split(const std::vector<uint16_t>& set, int b, std::vector<uint16_t> (&parts)[9])
{
    for (std::vector<uint16_t>& part : parts)
        part.clear();
    uint64_t bit = uint64_t(1) << b;
    for (uint16_t i : set)
        if (!(game.layouts[i] & bit))
            parts[std::popcount(game.layouts[i] & game.around[b])].push_back(i);
}

// The chance of winning from the layouts of set under the best play, and in
// *choice the bit of the cell that play opens; -1 once the node budget is spent.
double solve(const std::vector<uint16_t>& set, int* choice)
{
    if (++game.nodes > ENDGAME_NODES)
        return -1;
    uint64_t every = game.all;
    uint64_t any = 0;
    for (uint16_t i : set) {
        every &= game.layouts[i];
        any |= game.layouts[i];
    }
    uint64_t unknown = any & ~every;
    if (unknown == 0)
        return 1.0;
    std::vector<uint16_t> parts[9];
    // A safe cell that tells something is opened for nothing.
    for (uint64_t safe = game.all & ~any; safe; safe &= safe - 1) {
        int b = std::countr_zero(safe);
        split(set, b, parts);
        if (std::count_if(std::begin(parts), std::end(parts), [](const auto& p) { return !p.empty(); }) < 2)
            continue;
        double sum = 0.0;
        for (const std::vector<uint16_t>& part : parts)
            if (!part.empty()) {
                int next;
                double value = solve(part, &next);
                if (value < 0)
                    return -1;
                sum += double(part.size()) * value;
            }
        *choice = b;
        return sum / double(set.size());
    }
    uint64_t key = hash_of(set);
    if (auto found = game.known.find(key); found != game.known.end()) {
        *choice = found->second.second;
        return found->second.first;
    }
    // Guesses, the safest first: none can win more often than it is safe.
    std::vector<std::pair<int, int>> order;  // (layouts where the cell is safe, bit)
    for (uint64_t rest = unknown; rest; rest &= rest - 1) {
        int b = std::countr_zero(rest);
        int safe = 0;
        for (uint16_t i : set)
            safe += !(game.layouts[i] & (uint64_t(1) << b));
        order.emplace_back(-safe, b);
    }
    std::sort(order.begin(), order.end());
    double best = -1.0;
    for (auto [unsafe, b] : order) {
        if (double(-unsafe) <= best * double(set.size()) + TIE)
            break;
        split(set, b, parts);
        double sum = 0.0;
        for (const std::vector<uint16_t>& part : parts)
            if (!part.empty()) {
                int next;
                double value = solve(part, &next);
                if (value < 0)
                    return -1;
                sum += double(part.size()) * value;
            }
        if (sum / double(set.size()) > best + TIE) {
            best = sum / double(set.size());
            *choice = b;
        }
    }
    game.known[key] = {best, *choice};
    return best;
}

// endgame_win_chance() on the board as last counted.
double search_endgame(int* index)
{
    if (arrangement_total(board_count, endgame_arrangements) > endgame_arrangements || !list_layouts() ||
        game.layouts.empty())
        return -1;
    std::vector<uint16_t> set(game.layouts.size());
    for (std::size_t i = 0; i < set.size(); i++)
        set[i] = uint16_t(i);
    game.nodes = 0;
    game.known.clear();
    int b = -1;
    double chance = solve(set, &b);
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

int make_best_guess()
{
    int n = xdim * ydim;
    if (num_hidden(n) == 0)
        return 0;
    count_board();
    double lowest = lowest_chance(board_chance);
    // The cells near the lowest chance, in the order safest_cell() prefers.
    std::vector<std::pair<double, int>> near;
    for (int i = 0; i < n; i++)
        if (board_chance[i] >= 0 && board_chance[i] <= lowest + LOOK_AHEAD_MARGIN)
            near.emplace_back(board_chance[i] + TIE * guess_rank(i) / 32, i);
    std::sort(near.begin(), near.end());
    if (lowest == 0.0)
        return open_guessed_cell(near.front().second);
    if (int cell = dead_pair_cell(); cell >= 0)
        return open_guessed_cell(cell);
    int cell = -1;
    if (search_endgame(&cell) >= 0)
        return open_guessed_cell(cell);
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
    return open_guessed_cell(cell);
}
