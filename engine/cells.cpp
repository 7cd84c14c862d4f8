// set_cell and the two board counts.
#include "engine/cells.h"

#include <cassert>

#include "engine/board.h"
#include "engine/callbacks.h"
#include "engine/kept_counts.h"

void set_cell(int x, int y, int32_t value)
{
    sync_counts();
    set_cell_synced(x, y, value);
}

void set_cell_synced(int x, int y, int32_t value)
{
    keep_cell(x, y, value);
    callback_display_minefield(x, y);
    if (value == CELL_FLAGGED)
        callback_delay();
}

int num_hidden(int count)
{
    assert(count == xdim * ydim);
    sync_counts();
    return hidden_cells;
}

int num_unflagged_mines(int count)
{
    assert(count == xdim * ydim);
    sync_counts();
    return unflagged_mines;
}
