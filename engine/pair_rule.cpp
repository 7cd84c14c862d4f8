// check_pair() and flag_less_obvious(), with their neighbour lists.
#include "engine/pair_rule.h"

#include <bit>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/kept_counts.h"
#include "engine/neighbours.h"
#include "engine/reveal.h"

namespace {

template <typename Keep>
int enumerate_neighbors(neighbor_list& list, int x, int y, Keep keep)
{
    list.count = 0;
    for_each_neighbour<PAIR_ORDER>(x, y, [&](int nx, int ny) {
        if (keep(cell_value(nx, ny))) {
            list.x[list.count] = nx;
            list.y[list.count] = ny;
            list.count++;
        }
    });
    return list.count;
}

// Appends to out the entries of from that are not in other, in from's order.
void append_difference(neighbor_list& out, const neighbor_list& from, const neighbor_list& other)
{
    for (int i = 0; i < from.count; i++)
        if (!item_is_in_list(i, from, other)) {
            out.x[out.count] = from.x[i];
            out.y[out.count] = from.y[i];
            out.count++;
        }
}

// The first pair at index from or after it whose two cells (the second step
// cells on) can both conclude something, in the order a scan of every pair
// would reach it; MAX_CELLS if none. candidates names the cells that have a
// second cell step cells on.
int next_pair(const cell_mask& candidates, int step, int from)
{
    for (int word = from >> 6; word < MASK_WORDS; word++) {
        uint64_t bits = candidates[word] & pair_cells[word] & bits_from(pair_cells, word * 64 + step);
        if (word == from >> 6)
            bits &= ~uint64_t{0} << (from & 63);
        if (bits != 0)
            return word * 64 + std::countr_zero(bits);
    }
    return MAX_CELLS;
}

int entries_within(const neighbor_list& list, const neighbor_list& other)
{
    int found = 0;
    for (int i = 0; i < list.count; i++)
        found += item_is_in_list(i, list, other);
    return found == list.count;
}

int check_pair_synced(int x1, int y1, int x2, int y2)
{
    // The kept counts end most pairs before any list is built; nothing has
    // changed before these returns, so the order of the tests does not matter.
    int i1 = x1 + y1 * xdim;
    int i2 = x2 + y2 * xdim;
    int32_t v1 = cell_value(x1, y1);
    int32_t v2 = cell_value(x2, y2);
    if (v2 <= 0)
        return 0;
    int c1 = v1 - flagged_around(i1);
    int c2 = v2 - flagged_around(i2);
    // Only 1 and 2, 2 and 1, or 1 and 1 mines left can conclude anything.
    if (c1 <= 0 || c2 <= 0 || c1 + c2 > 3 || hidden_around(i1) == flagged_around(i1) ||
        hidden_around(i2) == flagged_around(i2))
        return 0;

    neighbor_list a, b, c;
    int result = 0;
    c.count = 0;
    enumerate_unknown_neighbors(a, x1, y1);
    enumerate_unknown_neighbors(b, x2, y2);

    // The side with two mines left shares at most one with the other side,
    // so a single cell of it outside the other side must be a mine.
    if (c1 == 1 && c2 == 2)
        append_difference(c, b, a);
    else if (c1 == 2 && c2 == 1)
        append_difference(c, a, b);
    if (c.count == 1) {
        set_cell_synced(c.x[0], c.y[0], CELL_FLAGGED);
        return 1;
    }

    // One mine each, and one side within the other: the rest of the larger side is safe.
    if (c1 == 1 && c2 == 1) {
        const neighbor_list* inner = nullptr;
        const neighbor_list* outer = nullptr;
        if (entries_within(a, b)) {
            inner = &a;
            outer = &b;
        } else if (entries_within(b, a)) {
            inner = &b;
            outer = &a;
        }
        if (inner)
            for (int i = 0; i < outer->count; i++)
                if (!item_is_in_list(i, *outer, *inner)) {
                    hit_synced(outer->x[i], outer->y[i]);
                    result = 1;
                }
    }
    return result;
}

// check_pair on the pair whose first cell is i and whose second is step
// cells on, unless nothing around it changed since it was last looked at.
int check_pair_if_changed(int i, int step, uint32_t (&seen)[MAX_CELLS])
{
    if (changed_around[i] <= seen[i] && changed_around[i + step] <= seen[i])
        return 0;
    seen[i] = changes;
    return check_pair_synced(cell_column[i], cell_row[i], cell_column[i + step], cell_row[i + step]);
}

}  // namespace

int enumerate_unknown_neighbors(neighbor_list& list, int x, int y)
{
    return enumerate_neighbors(list, x, y, [](int32_t v) { return is_hidden_unflagged(v); });
}

int enumerate_flagged_neighbors(neighbor_list& list, int x, int y)
{
    return enumerate_neighbors(list, x, y, [](int32_t v) { return v == CELL_FLAGGED; });
}

int item_is_in_list(int index, const neighbor_list& list, const neighbor_list& other)
{
    for (int i = 0; i < other.count; i++)
        if (other.x[i] == list.x[index] && other.y[i] == list.y[index])
            return 1;
    return 0;
}

int check_pair(int x1, int y1, int x2, int y2)
{
    sync_counts();
    return check_pair_synced(x1, y1, x2, y2);
}

int flag_less_obvious()
{
    sync_counts();
    return flag_less_obvious_synced();
}

int flag_less_obvious_synced()
{
    int result = 0;
    for (int i = next_pair(row_pair_cells, 1, 0); i < MAX_CELLS; i = next_pair(row_pair_cells, 1, i + 1))
        result |= check_pair_if_changed(i, 1, row_pair_seen);
    for (int i = next_pair(pair_cells, xdim, 0); i < MAX_CELLS; i = next_pair(pair_cells, xdim, i + 1))
        result |= check_pair_if_changed(i, xdim, column_pair_seen);
    return result;
}
