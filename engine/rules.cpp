// flag_obvious(), clear_knowns() and deduce_remaining().
#include "engine/rules.h"

#include <cstdio>

#include "engine/board.h"
#include "engine/callbacks.h"
#include "engine/neighbours.h"
#include "engine/reveal.h"

int32_t xmark[8];
int32_t ymark[8];

int flag_obvious()
{
    int result = 0;
    for (int y = 0; y < ydim; y++) {
        for (int x = 0; x < xdim; x++) {
            // A cell that is not a number can never qualify: skip the scan.
            int32_t v = cell_value(x, y);
            if (v <= 0)
                continue;
            int k = 0;
            for_each_neighbour<COLUMN_ORDER>(x, y, [&k](int nx, int ny) {
                if (cell_value(nx, ny) < 0) {
                    xmark[k] = nx;
                    ymark[k] = ny;
                    k++;
                }
            });
            if (k != v)
                continue;
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
        }
    }
    return result;
}

int clear_knowns()
{
    int result = 0;
    for (int y = 0; y < ydim; y++) {
        for (int x = 0; x < xdim; x++) {
            int32_t v = cell_value(x, y);
            if (v <= 0)
                continue;
            int flagged = 0;
            for_each_neighbour<COLUMN_ORDER>(x, y, [&flagged](int nx, int ny) {
                flagged += cell_value(nx, ny) == CELL_FLAGGED;
            });
            if (flagged == v && wash_cell(x, y) != 0)
                result = 1;
        }
    }
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
    if (num_unflagged_mines(n) == num_hidden(n)) {
        for (int x = 0; x < xdim; x++)
            for (int y = 0; y < ydim; y++)
                if (hidden_unflagged(x, y)) {
                    set_cell(x, y, CELL_FLAGGED);
                    actions++;
                }
    }
    if (num_unflagged_mines(n) == 0) {
        for (int x = 0; x < xdim; x++)
            for (int y = 0; y < ydim; y++)
                if (hidden_unflagged(x, y)) {
                    hit(x, y);
                    actions++;
                }
    }
    return actions;
}
