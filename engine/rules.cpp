// flag_obvious(), clear_knowns(), deduce_remaining() and the rule chain.
#include "engine/rules.h"

#include <cstdio>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/callbacks.h"
#include "engine/kept_counts.h"
#include "engine/neighbours.h"
#include "engine/pair_rule.h"
#include "engine/reveal.h"

int32_t xmark[8];
int32_t ymark[8];

namespace {

// Calls visit(x, y, value, index) for every cell of mask, rows top to bottom
// as a scan of the whole board would, reading the mask afresh after each
// visit so that a cell sees what the visits before it changed. The mask
// holds every cell where the rule can act, so the cells passed over are the
// ones where a scan would have done nothing; visit still applies the rule's
// own test, which is how the rule reads.
template <typename Visit>
void for_each_in(const cell_mask& mask, Visit&& visit)
{
    for (int i = next_in(mask, 0); i < MAX_CELLS; i = next_in(mask, i + 1)) {
        int x = cell_column[i];
        int y = cell_row[i];
        visit(x, y, cell_value(x, y), i);
    }
}

int flag_obvious_synced()
{
    int result = 0;
    for_each_in(obvious_cells, [&result](int x, int y, int32_t v, int i) {
        if (v <= 0 || hidden_around(i) != v || flagged_around(i) == hidden_around(i))
            return;
        int k = 0;
        for_each_neighbour<COLUMN_ORDER>(x, y, [&k](int nx, int ny) {
            if (cell_value(nx, ny) < 0) {
                xmark[k] = nx;
                ymark[k] = ny;
                k++;
            }
        });
        for (int j = 0; j < k; j++) {
            if (cell_value(xmark[j], ymark[j]) == CELL_FLAGGED)
                continue;
            if (verbose > 2) {
                std::snprintf(line, sizeof line, "Marked %3d %3d", xmark[j], ymark[j]);
                callback_display_status(line, 2);
            }
            set_cell_synced(xmark[j], ymark[j], CELL_FLAGGED);
            result = 1;
        }
    });
    return result;
}

int clear_knowns_synced()
{
    int result = 0;
    for_each_in(known_cells, [&result](int x, int y, int32_t v, int i) {
        // With nothing hidden and unflagged around it, wash_cell would open nothing.
        if (v > 0 && flagged_around(i) == v && hidden_around(i) > flagged_around(i) && wash_cell_synced(x, y) != 0)
            result = 1;
    });
    return result;
}

int deduce_remaining_synced()
{
    // With nothing hidden and unflagged left, both scans below would find nothing.
    if (hidden_cells == 0)
        return 0;
    int actions = 0;
    if (unflagged_mines == hidden_cells) {
        for (int x = 0; x < xdim; x++)
            for (int y = 0; y < ydim; y++)
                if (is_hidden_unflagged(cell_value(x, y))) {
                    set_cell_synced(x, y, CELL_FLAGGED);
                    actions++;
                }
    }
    if (unflagged_mines == 0) {
        for (int x = 0; x < xdim; x++)
            for (int y = 0; y < ydim; y++)
                if (is_hidden_unflagged(cell_value(x, y))) {
                    hit_synced(x, y);
                    actions++;
                }
    }
    return actions;
}

}  // namespace

int flag_obvious()
{
    sync_counts();
    return flag_obvious_synced();
}

int clear_knowns()
{
    sync_counts();
    return clear_knowns_synced();
}

int deduce_remaining()
{
    sync_counts();
    return deduce_remaining_synced();
}

void apply_rules()
{
    sync_counts();
    while (flag_obvious_synced() || clear_knowns_synced() || flag_less_obvious_synced() || deduce_remaining_synced()) {
    }
}
