// hit() and wash_cell().
#include "engine/reveal.h"

#include <cstdio>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/callbacks.h"
#include "engine/kept_counts.h"
#include "engine/neighbours.h"

int hit(int x, int y)
{
    sync_counts();
    return hit_synced(x, y);
}

int hit_synced(int x, int y)
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
    if (v != CELL_HIDDEN) {
        callback_display_error("... Exploded!");
        level--;
        return HIT_MINE;
    }
    int count = mined_around(x + y * xdim);
    set_cell_synced(x, y, count);
    // Around a 0 there is no mine and no flag; an opened neighbour would
    // return at once, so only the hidden ones are called.
    if (count == 0 && level < HIT_DEPTH_LIMIT)
        for_each_neighbour<HIT_ORDER>(x, y, [](int nx, int ny) {
            if (cell_value(nx, ny) < 0)
                hit_synced(nx, ny);
        });
    level--;
    return count;
}

int wash_cell(int x, int y)
{
    sync_counts();
    return wash_cell_synced(x, y);
}

int wash_cell_synced(int x, int y)
{
    int opened = 0;
    for_each_neighbour<COLUMN_ORDER>(x, y, [&opened](int nx, int ny) {
        int32_t v = cell_value(nx, ny);
        if (v >= 0 || v == CELL_FLAGGED)
            return;
        hit_synced(nx, ny);
        if (verbose > 2) {
            std::snprintf(line, sizeof line, "Hit    %3d %3d", nx, ny);
            callback_display_status(line, 2);
        }
        opened++;
    });
    return opened;
}
