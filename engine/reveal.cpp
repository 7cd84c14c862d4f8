// hit() and wash_cell().
#include "engine/reveal.h"

#include <cstdio>

#include "engine/board.h"
#include "engine/callbacks.h"
#include "engine/neighbours.h"

int hit(int x, int y)
{
    level++;
    int32_t v = cell_value(x, y);
    if (v >= 0) {
        level--;
        return v;
    }
    if (verbose > 3) {
        std::snprintf(line, sizeof line, "Hit X = %d Y = %d : recursion level = %d", x, y, level);
        callback_display_status(line, 3);
    }
    if (spcl_value(x, y) == CELL_MINE) {
        callback_display_error("... Exploded!");
        level--;
        return HIT_MINE;
    }
    int count = 0;
    for_each_neighbour<HIT_ORDER>(x, y, [&count](int nx, int ny) { count += spcl_value(nx, ny) == CELL_MINE; });
    set_cell(x, y, count);
    if (count == 0 && level < HIT_DEPTH_LIMIT)
        for_each_neighbour<HIT_ORDER>(x, y, [](int nx, int ny) { hit(nx, ny); });
    level--;
    return count;
}

int wash_cell(int x, int y)
{
    int opened = 0;
    for_each_neighbour<COLUMN_ORDER>(x, y, [&opened](int nx, int ny) {
        int32_t v = cell_value(nx, ny);
        if (v >= 0 || v == CELL_FLAGGED)
            return;
        hit(nx, ny);
        if (verbose > 2) {
            std::snprintf(line, sizeof line, "Hit    %3d %3d", nx, ny);
            callback_display_status(line, 2);
        }
        opened++;
    });
    return opened;
}
