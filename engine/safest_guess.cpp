// The safest guess: exact mine chances by counting arrangements group by group.
#include "engine/safest_guess.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/guess.h"
#include "engine/neighbours.h"

int64_t exact_count_limit = EXACT_COUNT_STEPS;
double guess_safety = 1.0;
int32_t inexact_guesses;

namespace {

inline constexpr double TIE = 1e-9;

// What the numbers say: constraint c holds from lo[c] to hi[c] mines among
// cells[start[c]] to cells[start[c + 1] - 1], which are variable ids (the
// hidden unflagged cells next to a number, numbered in index order).
struct constraint_set {
    std::vector<int> start{0};
    std::vector<int> cells;
    std::vector<int> lo;
    std::vector<int> hi;
};

void add_constraint(constraint_set& set, const std::vector<int>& cells, int lo, int hi)
{
    set.cells.insert(set.cells.end(), cells.begin(), cells.end());
    set.start.push_back(int(set.cells.size()));
    set.lo.push_back(lo);
    set.hi.push_back(hi);
}

// One independent group, counted: ways[k] arrangements of its variables
// hold k mines, and mined[j * (vars.size() + 1) + k] of them mine vars[j].
struct group {
    std::vector<int> vars;
    std::vector<double> ways;
    std::vector<double> mined;
};

// The cell of each variable, and the variable of each cell (-1: none).
std::vector<int> var_cell;
std::vector<int> var_of;

// The depth-first count of one group: every variable tried empty then
// mined, a branch dropped as soon as one of its constraints cannot be met.
struct count_state {
    int size;
    std::vector<int> first;  // the constraints of local variable j: links[first[j]] to links[first[j + 1] - 1]
    std::vector<int> links;
    std::vector<int> sum;   // per constraint: mines placed on it so far
    std::vector<int> left;  // and its variables not decided yet
    std::vector<int> lo;
    std::vector<int> hi;
    std::vector<int> mined_now;
    int64_t steps;
    int64_t limit;
    group* out;
};

count_state state;
std::vector<int> local_of;  // variable id -> its place in the group being counted

// Decides variables j onwards; false once the step limit is passed.
bool place(int j)
{
    count_state& s = state;
    if (++s.steps > s.limit)
        return false;
    if (j == s.size) {
        std::size_t k = s.mined_now.size();
        s.out->ways[k] += 1;
        for (int m : s.mined_now)
            s.out->mined[m * (s.size + 1) + k] += 1;
        return true;
    }
    for (int mine = 0; mine <= 1; mine++) {
        bool fits = true;
        for (int i = s.first[j]; i < s.first[j + 1]; i++) {
            int c = s.links[i];
            s.left[c]--;
            s.sum[c] += mine;
            fits = fits && s.sum[c] <= s.hi[c] && s.sum[c] + s.left[c] >= s.lo[c];
        }
        if (mine)
            s.mined_now.push_back(j);
        bool within = !fits || place(j + 1);
        if (mine)
            s.mined_now.pop_back();
        for (int i = s.first[j]; i < s.first[j + 1]; i++) {
            s.left[s.links[i]]++;
            s.sum[s.links[i]] -= mine;
        }
        if (!within)
            return false;
    }
    return true;
}

// Counts g.vars under the constraints cons of set (those that hold them).
// False if it took more than exact_count_limit steps (never for one variable).
bool count_exact(group& g, const std::vector<int>& cons, const constraint_set& set)
{
    count_state& s = state;
    s.size = int(g.vars.size());
    for (int j = 0; j < s.size; j++)
        local_of[g.vars[j]] = j;
    s.first.assign(s.size + 1, 0);
    for (int c : cons)
        for (int i = set.start[c]; i < set.start[c + 1]; i++)
            s.first[local_of[set.cells[i]] + 1]++;
    std::partial_sum(s.first.begin(), s.first.end(), s.first.begin());
    s.links.resize(s.first.back());
    std::vector<int> fill(s.first.begin(), s.first.end() - 1);
    s.sum.assign(cons.size(), 0);
    s.left.clear();
    s.lo.clear();
    s.hi.clear();
    for (std::size_t local = 0; local < cons.size(); local++) {
        int c = cons[local];
        for (int i = set.start[c]; i < set.start[c + 1]; i++)
            s.links[fill[local_of[set.cells[i]]]++] = int(local);
        s.left.push_back(set.start[c + 1] - set.start[c]);
        s.lo.push_back(set.lo[c]);
        s.hi.push_back(set.hi[c]);
    }
    g.ways.assign(s.size + 1, 0.0);
    g.mined.assign(std::size_t(s.size) * (s.size + 1), 0.0);
    s.mined_now.clear();
    s.steps = 0;
    s.limit = s.size > 1 ? exact_count_limit : 4;
    s.out = &g;
    return place(0);
}

// half's share of the constraints cons of set: each held to the mines the
// cells outside half leave possible; those that no longer bind are dropped.
constraint_set relax(const constraint_set& set, const std::vector<int>& cons, const std::vector<int>& half)
{
    std::vector<char> inside(var_cell.size(), 0);
    for (int v : half)
        inside[v] = 1;
    constraint_set part;
    std::vector<int> cells;
    for (int c : cons) {
        cells.clear();
        for (int i = set.start[c]; i < set.start[c + 1]; i++)
            if (inside[set.cells[i]])
                cells.push_back(set.cells[i]);
        int outside = set.start[c + 1] - set.start[c] - int(cells.size());
        int lo = std::max(0, set.lo[c] - outside);
        int hi = std::min(set.hi[c], int(cells.size()));
        if (!cells.empty() && (lo > 0 || hi < int(cells.size())))
            add_constraint(part, cells, lo, hi);
    }
    return part;
}

// Counts vars under set, one group per independent part, into out: a part
// is the variables that constraints link, in the order a breadth-first walk
// meets them, so that each constraint is decided soon after it is entered.
// A part over the step limit is cut into the first and second half of that
// order. Returns 1 if no part was cut.
int count_parts(const std::vector<int>& vars, const constraint_set& set, std::vector<group>& out)
{
    int count = int(var_cell.size());
    std::vector<int> first(count + 1, 0);  // the constraints of each variable
    for (int v : set.cells)
        first[v + 1]++;
    std::partial_sum(first.begin(), first.end(), first.begin());
    std::vector<int> links(set.cells.size());
    std::vector<int> fill(first.begin(), first.end() - 1);
    for (std::size_t c = 0; c < set.lo.size(); c++)
        for (int i = set.start[c]; i < set.start[c + 1]; i++)
            links[fill[set.cells[i]]++] = int(c);

    std::vector<char> seen_var(count, 0);
    std::vector<char> seen_con(set.lo.size(), 0);
    int exact = 1;
    for (int start : vars) {
        if (seen_var[start])
            continue;
        group g;
        std::vector<int> cons;
        g.vars.push_back(start);
        seen_var[start] = 1;
        for (std::size_t next = 0; next < g.vars.size(); next++)
            for (int i = first[g.vars[next]]; i < first[g.vars[next] + 1]; i++) {
                int c = links[i];
                if (seen_con[c])
                    continue;
                seen_con[c] = 1;
                cons.push_back(c);
                for (int k = set.start[c]; k < set.start[c + 1]; k++)
                    if (!seen_var[set.cells[k]]) {
                        seen_var[set.cells[k]] = 1;
                        g.vars.push_back(set.cells[k]);
                    }
            }
        if (count_exact(g, cons, set)) {
            out.push_back(std::move(g));
            continue;
        }
        exact = 0;
        std::size_t middle = g.vars.size() / 2;
        for (const std::vector<int>& half : {std::vector<int>(g.vars.begin(), g.vars.begin() + middle),
                                             std::vector<int>(g.vars.begin() + middle, g.vars.end())})
            count_parts(half, relax(set, cons, half), out);
    }
    return exact;
}

std::vector<double> convolve(const std::vector<double>& a, const std::vector<double>& b)
{
    std::vector<double> c(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); i++)
        for (std::size_t j = 0; j < b.size(); j++)
            c[i + j] += a[i] * b[j];
    return c;
}

// rest[t] for t = 0 to total: the ways to put the other left - t mines on
// the free cells, C(free, left - t), scaled so that the largest is 1.
std::vector<double> rest_weights(int free, int left, int total)
{
    std::vector<double> log_ways(total + 1, -INFINITY);
    for (int t = 0; t <= total; t++) {
        int r = left - t;
        if (r >= 0 && r <= free)
            log_ways[t] = std::lgamma(free + 1.0) - std::lgamma(r + 1.0) - std::lgamma(free - r + 1.0);
    }
    double top = *std::max_element(log_ways.begin(), log_ways.end());
    std::vector<double> rest(total + 1);
    for (int t = 0; t <= total; t++)
        rest[t] = std::exp(log_ways[t] - top);
    return rest;
}

// Combines the counted groups with the free cells (hidden, next to no
// number) into chance. Returns 0 if no arrangement fits at all.
int combine(const std::vector<group>& groups, int free, int left, std::vector<double>& chance)
{
    std::size_t count = groups.size();
    int total = int(var_cell.size());
    // before[g]: the arrangements of the groups ahead of g, by their mines.
    std::vector<std::vector<double>> before(count + 1, std::vector<double>{1.0});
    for (std::size_t g = 0; g < count; g++)
        before[g + 1] = convolve(before[g], groups[g].ways);
    // after[g][t]: the weight of every arrangement of group g onwards and of
    // the free cells, once t mines lie in the groups ahead of g.
    std::vector<std::vector<double>> after(count + 1);
    after[count] = rest_weights(free, left, total);
    for (std::size_t g = count; g-- > 0;) {
        after[g].assign(total + 1, 0.0);
        const std::vector<double>& ways = groups[g].ways;
        for (int t = 0; t <= total; t++)
            for (std::size_t k = 0; k < ways.size() && t + int(k) <= total; k++)
                after[g][t] += ways[k] * after[g + 1][t + k];
    }
    double all = after[0][0];
    if (!(all > 0) || !std::isfinite(all))
        return 0;
    for (std::size_t g = 0; g < count; g++) {
        const group& grp = groups[g];
        std::size_t size = grp.vars.size();
        std::vector<double> weight(size + 1, 0.0);  // of an arrangement of g with k mines
        for (std::size_t k = 0; k <= size; k++)
            for (std::size_t i = 0; i < before[g].size() && i + k <= std::size_t(total); i++)
                weight[k] += before[g][i] * after[g + 1][i + k];
        for (std::size_t j = 0; j < size; j++) {
            double sum = 0.0;
            for (std::size_t k = 0; k <= size; k++)
                sum += grp.mined[j * (size + 1) + k] * weight[k];
            chance[var_cell[grp.vars[j]]] = std::clamp(sum / all, 0.0, 1.0);  // rounding may pass 1
        }
    }
    if (free > 0) {
        const std::vector<double>& rest = after[count];
        double sum = 0.0;
        for (std::size_t t = 0; t < before[count].size(); t++)
            sum += before[count][t] * rest[t] * double(left - int(t)) / free;
        for (std::size_t i = 0; i < chance.size(); i++)
            if (chance[i] == -2.0)
                chance[i] = std::clamp(sum / all, 0.0, 1.0);
    }
    return 1;
}

int hidden_around(int x, int y)
{
    int count = 0;
    for_each_neighbour<ROW_ORDER>(x, y, [&count](int nx, int ny) { count += is_hidden_unflagged(cell_value(nx, ny)); });
    return count;
}

}  // namespace

int mine_chances(std::vector<double>& chance)
{
    int n = xdim * ydim;
    chance.assign(n, -1.0);
    var_of.assign(n, -1);
    var_cell.clear();
    // One constraint per number with hidden unflagged cells around it, on
    // cell indices first; its cells become variables, numbered in index order.
    constraint_set set;
    std::vector<int> cells;
    int flags = 0;
    for (int i = 0; i < n; i++) {
        int32_t v = cell_value(i % xdim, i / xdim);
        flags += v == CELL_FLAGGED;
        if (v < 0)
            continue;
        int mines_left = v;
        cells.clear();
        for_each_neighbour<ROW_ORDER>(i % xdim, i / xdim, [&](int nx, int ny) {
            int32_t around = cell_value(nx, ny);
            mines_left -= around == CELL_FLAGGED;
            if (is_hidden_unflagged(around)) {
                cells.push_back(nx + ny * xdim);
                var_of[nx + ny * xdim] = 0;
            }
        });
        if (!cells.empty())
            add_constraint(set, cells, mines_left, mines_left);
    }
    int hidden = 0;
    for (int i = 0; i < n; i++) {
        if (!is_hidden_unflagged(cell_value(i % xdim, i / xdim)))
            continue;
        hidden++;
        if (var_of[i] == 0) {
            var_of[i] = int(var_cell.size());
            var_cell.push_back(i);
        } else {
            chance[i] = -2.0;  // a free cell, filled in by combine()
        }
    }
    for (int& cell : set.cells)
        cell = var_of[cell];
    local_of.resize(var_cell.size());
    std::vector<int> vars(var_cell.size());
    std::iota(vars.begin(), vars.end(), 0);
    std::vector<group> groups;
    int exact = count_parts(vars, set, groups);
    int left = mines - flags;
    if (!combine(groups, hidden - int(var_cell.size()), left, chance)) {
        // No arrangement fits what the board shows: every hidden cell alike.
        for (int i = 0; i < n; i++)
            if (is_hidden_unflagged(cell_value(i % xdim, i / xdim)))
                chance[i] = double(left) / hidden;
        return 0;
    }
    return exact;
}

int safest_cell(const std::vector<double>& chance)
{
    double lowest = 2.0;
    for (double c : chance)
        if (c >= 0)
            lowest = std::min(lowest, c);
    // Cells next to a number first; free cells only if none of those ties.
    int best = -1;
    int best_rank = 0;
    for (int pass = 0; pass < 2 && best < 0; pass++)
        for (int i = 0; i < int(chance.size()); i++) {
            if (chance[i] < 0 || chance[i] > lowest + TIE || (var_of[i] >= 0) != (pass == 0))
                continue;
            int rank = hidden_around(i % xdim, i / xdim);
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
    int exact = mine_chances(chance);
    int cell = safest_cell(chance);
    guess_safety *= 1.0 - chance[cell];
    inexact_guesses += !exact;
    return open_guessed_cell(cell);
}
