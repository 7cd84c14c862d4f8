// check_pair() and flag_less_obvious(), with their neighbour lists.
#include "engine/pair_rule.h"

#include "engine/board.h"
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

int entries_within(const neighbor_list& list, const neighbor_list& other)
{
    int found = 0;
    for (int i = 0; i < list.count; i++)
        found += item_is_in_list(i, list, other);
    return found == list.count;
}

}  // namespace

int enumerate_unknown_neighbors(neighbor_list& list, int x, int y)
{
    return enumerate_neighbors(list, x, y, [](int32_t v) { return v < 0 && v != CELL_FLAGGED; });
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
    // Most pairs end in one of the early returns below; counting first finds
    // those without building lists. Nothing has changed before them, so the
    // order in which they are found does not matter.
    int32_t v1 = cell_value(x1, y1);
    int32_t v2 = cell_value(x2, y2);
    if (v2 <= 0)
        return 0;
    neighbour_counts around1 = count_neighbours(x1, y1);
    neighbour_counts around2 = count_neighbours(x2, y2);
    if (v1 - around1.flagged <= 0 || v2 - around2.flagged <= 0 || around1.hidden == around1.flagged ||
        around2.hidden == around2.flagged)
        return 0;

    neighbor_list a, b, c;
    int result = 0;
    int c1 = v1 - enumerate_flagged_neighbors(a, x1, y1);
    int c2 = v2 - enumerate_flagged_neighbors(b, x2, y2);
    c.count = 0;
    if (c1 <= 0 || c2 <= 0)
        return 0;
    if (enumerate_unknown_neighbors(a, x1, y1) == 0)
        return 0;
    if (enumerate_unknown_neighbors(b, x2, y2) == 0)
        return 0;

    // The side with two mines left shares at most one with the other side,
    // so a single cell of it outside the other side must be a mine.
    if (c1 == 1 && c2 == 2)
        append_difference(c, b, a);
    else if (c1 == 2 && c2 == 1)
        append_difference(c, a, b);
    if (c.count == 1) {
        set_cell(c.x[0], c.y[0], CELL_FLAGGED);
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
                    hit(outer->x[i], outer->y[i]);
                    result = 1;
                }
    }
    return result;
}

int flag_less_obvious()
{
    int result = 0;
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim - 1; x++)
            if (cell_value(x, y) > 0)
                result |= check_pair(x, y, x + 1, y);
    for (int y = 0; y < ydim - 1; y++)
        for (int x = 0; x < xdim; x++)
            if (cell_value(x, y) > 0)
                result |= check_pair(x, y, x, y + 1);
    return result;
}
