// flag_obvious(), clear_knowns(), deduce_remaining() and the rule chain.
#include "engine/rules.h"

#include <cstdio>

#include "engine/board.h"
#include "engine/callbacks.h"
#include "engine/neighbours.h"
#include "engine/pair_rule.h"
#include "engine/reveal.h"

int32_t xmark[8];
int32_t ymark[8];

namespace {

// Calls visit(x, y, value, counts) for every numbered cell, rows top to
// bottom, reading each cell when its turn comes, so that it sees what the
// visits before it changed.
template <typename Visit>
void for_each_number(Visit&& visit)
{
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++) {
            int32_t v = cell_value(x, y);
            if (v > 0)
                visit(x, y, v, count_neighbours(x, y));
        }
}

}  // namespace

int flag_obvious()
{
    int result = 0;
    for_each_number([&result](int x, int y, int32_t v, neighbour_counts around) {
        // Counting first spares the ordered walk for the many numbers that do
        // not qualify or whose hidden neighbours are all flagged.
        if (around.hidden != v || around.flagged == around.hidden)
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
            set_cell(xmark[j], ymark[j], CELL_FLAGGED);
            result = 1;
        }
    });
    return result;
}

int clear_knowns()
{
    int result = 0;
    for_each_number([&result](int x, int y, int32_t v, neighbour_counts around) {
        // With nothing hidden and unflagged around it, wash_cell would open nothing.
        if (around.flagged == v && around.hidden > around.flagged && wash_cell(x, y) != 0)
            result = 1;
    });
    return result;
}

int deduce_remaining()
{
    int n = xdim * ydim;
    int actions = 0;
    auto hidden_unflagged = [](int x, int y) {
        int32_t v = cell_value(x, y);
        return v < 0 && v != CELL_FLAGGED;
    };
    int unflagged_mines = num_unflagged_mines(n);
    if (unflagged_mines == num_hidden(n)) {
        for (int x = 0; x < xdim; x++)
            for (int y = 0; y < ydim; y++)
                if (hidden_unflagged(x, y)) {
                    set_cell(x, y, CELL_FLAGGED);
                    actions++;
                }
        unflagged_mines = 0;  // every hidden unflagged cell is flagged now
    }
    if (unflagged_mines == 0) {
        for (int x = 0; x < xdim; x++)
            for (int y = 0; y < ydim; y++)
                if (hidden_unflagged(x, y)) {
                    hit(x, y);
                    actions++;
                }
    }
    return actions;
}

void apply_rules()
{
    while (flag_obvious() || clear_knowns() || flag_less_obvious() || deduce_remaining()) {
    }
}
