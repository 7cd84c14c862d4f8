// The exact count of arrangements, group by group, and the chances it gives.
#include "engine/counting.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>
#include <unordered_map>

#include "engine/board.h"
#include "engine/neighbours.h"

int64_t exact_count_limit = EXACT_COUNT_STEPS;

namespace {

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
    bool record;
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
        if (s.record) {
            s.out->arrangements.insert(s.out->arrangements.end(), s.mined_now.begin(), s.mined_now.end());
            s.out->arrangements.push_back(-1);
        }
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
    g.arrangements.clear();
    s.mined_now.clear();
    s.steps = 0;
    s.limit = s.size > 1 ? exact_count_limit : 4;
    s.out = &g;
    return place(0);
}

// Counted groups, by what they are on the board: the constraints in the
// order the count met them, each as its bounds and cells. The same group
// in another position (a look-ahead changes one corner of the board and
// leaves the other groups as they were) is counted once.
struct kept_group {
    std::vector<int> key;
    group counted;
};
inline constexpr std::size_t KEPT_GROUPS = 4096;
std::unordered_map<uint64_t, kept_group> kept;
const std::vector<int>* cell_of_var;  // the count's var_cell
std::vector<int> wanted;              // the key of the group being counted
uint64_t wanted_hash;

// Looks g (its variables found, cons its constraints) up among the groups
// counted before, which record only when no arrangements are listed.
bool recall(group& g, const std::vector<int>& cons, const constraint_set& set)
{
    // Under another step limit the same group may be cut: the count stays a
    // function of the position and the limit alone.
    wanted.assign(1, int(std::min<int64_t>(exact_count_limit, INT32_MAX)));
    for (int c : cons) {
        wanted.push_back(set.lo[c]);
        wanted.push_back(set.hi[c]);
        wanted.push_back(set.start[c + 1] - set.start[c]);
        for (int i = set.start[c]; i < set.start[c + 1]; i++)
            wanted.push_back((*cell_of_var)[set.cells[i]]);
    }
    for (int v : g.vars)
        wanted.push_back((*cell_of_var)[v]);
    wanted_hash = 14695981039346656037ull;
    for (int w : wanted)
        wanted_hash = (wanted_hash ^ uint32_t(w)) * 1099511628211ull;
    if (state.record)
        return false;
    auto found = kept.find(wanted_hash);
    if (found == kept.end() || found->second.key != wanted)
        return false;
    g.ways = found->second.counted.ways;
    g.mined = found->second.counted.mined;
    g.arrangements.clear();
    return true;
}

// Keeps g, counted, for recall(); true.
bool keep(const group& g)
{
    if (kept.size() >= KEPT_GROUPS)
        kept.clear();
    kept_group& place = kept[wanted_hash];
    place.key = wanted;
    place.counted.ways = g.ways;
    place.counted.mined = g.mined;
    return true;
}

// half's share of the constraints cons of set: each held to the mines the
// cells outside half leave possible; those that no longer bind are dropped.
constraint_set relax(const constraint_set& set, const std::vector<int>& cons, const std::vector<int>& half,
                     std::size_t variables)
{
    std::vector<char> inside(variables, 0);
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
int count_parts(const std::vector<int>& vars, const constraint_set& set, std::size_t variables,
                std::vector<group>& out)
{
    int count = int(variables);
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
        if (recall(g, cons, set) || (count_exact(g, cons, set) && keep(g))) {
            out.push_back(std::move(g));
            continue;
        }
        exact = 0;
        std::size_t middle = g.vars.size() / 2;
        for (const std::vector<int>& half : {std::vector<int>(g.vars.begin(), g.vars.begin() + middle),
                                             std::vector<int>(g.vars.begin() + middle, g.vars.end())})
            count_parts(half, relax(set, cons, half, variables), variables, out);
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

double log_choose(int n, int k)
{
    return std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
}

// log_rest[t] for t = 0 to total: the logarithm of the ways to put the other
// left - t mines on the free cells, C(free, left - t); -infinity if none.
std::vector<double> log_rest_ways(int free, int left, int total)
{
    std::vector<double> log_ways(total + 1, -INFINITY);
    for (int t = 0; t <= total; t++) {
        int r = left - t;
        if (r >= 0 && r <= free)
            log_ways[t] = log_choose(free, r);
    }
    return log_ways;
}

// Calls visit(x, y) for each neighbour of (x, y) on the field, row by row.
template <typename Visit>
void each_neighbour(const field_view& field, int x, int y, Visit&& visit)
{
    for (const neighbour_offset& o : ROW_ORDER) {
        int nx = x + o.dx;
        int ny = y + o.dy;
        if (nx >= 0 && nx < field.width && ny >= 0 && ny < field.height)
            visit(nx, ny);
    }
}

}  // namespace

int count_field(const field_view& field, field_count& out, bool record)
{
    int n = field.width * field.height;
    out.var_of.assign(n, -1);
    out.var_cell.clear();
    out.groups.clear();
    // One constraint per number with hidden unflagged cells around it, on
    // cell indices first; its cells become variables, numbered in index order.
    static constraint_set set;  // storage kept from one count to the next
    static std::vector<int> cells;
    static std::vector<char> next_to_number;
    set.start.assign(1, 0);
    set.cells.clear();
    set.lo.clear();
    set.hi.clear();
    next_to_number.assign(n, 0);
    int flags = 0;
    for (int i = 0; i < n; i++) {
        int32_t v = field.cells[i];
        flags += v == CELL_FLAGGED;
        if (v < 0)
            continue;
        int mines_left = v;
        cells.clear();
        each_neighbour(field, i % field.width, i / field.width, [&](int nx, int ny) {
            int32_t around = field.cells[nx + ny * field.width];
            mines_left -= around == CELL_FLAGGED;
            if (is_hidden_unflagged(around)) {
                cells.push_back(nx + ny * field.width);
                next_to_number[nx + ny * field.width] = 1;
            }
        });
        if (!cells.empty())
            add_constraint(set, cells, mines_left, mines_left);
    }
    out.hidden = 0;
    out.free_cells.clear();
    for (int i = 0; i < n; i++) {
        if (!is_hidden_unflagged(field.cells[i]))
            continue;
        out.hidden++;
        if (next_to_number[i]) {
            out.var_of[i] = int(out.var_cell.size());
            out.var_cell.push_back(i);
        } else {
            out.free_cells.push_back(i);
        }
    }
    for (int& cell : set.cells)
        cell = out.var_of[cell];
    local_of.resize(out.var_cell.size());
    cell_of_var = &out.var_cell;
    state.record = record;
    std::vector<int> vars(out.var_cell.size());
    std::iota(vars.begin(), vars.end(), 0);
    out.exact = count_parts(vars, set, out.var_cell.size(), out.groups);
    out.left = field.mines - flags;
    return out.exact;
}

double weigh_count(const field_count& count, double* chance)
{
    int n = int(count.var_of.size());
    std::size_t groups = count.groups.size();
    int total = int(count.var_cell.size());
    // before[g]: the arrangements of the groups ahead of g, by their mines.
    std::vector<std::vector<double>> before(groups + 1, std::vector<double>{1.0});
    for (std::size_t g = 0; g < groups; g++)
        before[g + 1] = convolve(before[g], count.groups[g].ways);
    // after[g][t]: the weight of every arrangement of group g onwards and of
    // the free cells, once t mines lie in the groups ahead of g, scaled so
    // that the free cells' largest is 1.
    std::vector<double> log_rest = log_rest_ways(int(count.free_cells.size()), count.left, total);
    double top = *std::max_element(log_rest.begin(), log_rest.end());
    std::vector<std::vector<double>> after(groups + 1);
    after[groups].resize(total + 1);
    for (int t = 0; t <= total; t++)
        after[groups][t] = std::exp(log_rest[t] - top);
    for (std::size_t g = groups; g-- > 0;) {
        after[g].assign(total + 1, 0.0);
        const std::vector<double>& ways = count.groups[g].ways;
        for (int t = 0; t <= total; t++)
            for (std::size_t k = 0; k < ways.size() && t + int(k) <= total; k++)
                after[g][t] += ways[k] * after[g + 1][t + k];
    }
    double all = after[0][0];
    std::fill(chance, chance + n, -1.0);
    if (!(all > 0) || !std::isfinite(all) || !std::isfinite(top)) {
        // No arrangement fits what the board shows: every hidden cell alike.
        for (int v = 0; v < total; v++)
            chance[count.var_cell[v]] = double(count.left) / count.hidden;
        for (int i : count.free_cells)
            chance[i] = double(count.left) / count.hidden;
        return -INFINITY;
    }
    for (std::size_t g = 0; g < groups; g++) {
        const group& grp = count.groups[g];
        std::size_t size = grp.vars.size();
        std::vector<double> weight(size + 1, 0.0);  // of an arrangement of g with k mines
        for (std::size_t k = 0; k <= size; k++)
            for (std::size_t i = 0; i < before[g].size() && i + k <= std::size_t(total); i++)
                weight[k] += before[g][i] * after[g + 1][i + k];
        for (std::size_t j = 0; j < size; j++) {
            double sum = 0.0;
            for (std::size_t k = 0; k <= size; k++)
                sum += grp.mined[j * (size + 1) + k] * weight[k];
            chance[count.var_cell[grp.vars[j]]] = std::clamp(sum / all, 0.0, 1.0);  // rounding may pass 1
        }
    }
    int free = int(count.free_cells.size());
    if (free > 0) {
        const std::vector<double>& rest = after[groups];
        double sum = 0.0;
        for (std::size_t t = 0; t < before[groups].size(); t++)
            sum += before[groups][t] * rest[t] * double(count.left - int(t)) / free;
        for (int i : count.free_cells)
            chance[i] = std::clamp(sum / all, 0.0, 1.0);
    }
    return std::log(all) + top;
}

double arrangement_total(const field_count& count, double limit)
{
    std::vector<double> ways{1.0};
    for (const group& g : count.groups)
        ways = convolve(ways, g.ways);
    double total = 0;
    int free = int(count.free_cells.size());
    for (std::size_t t = 0; t < ways.size() && total <= limit; t++) {
        int r = count.left - int(t);
        if (ways[t] > 0 && r >= 0 && r <= free)
            total += ways[t] * std::exp(log_choose(free, r));
    }
    return total;
}
