// The field's size and press_field().
#include "ui/common/geometry.h"

#include "driver/state.h"
#include "engine/board.h"

int field_width()
{
    return xdim * TILE_SIZE + FIELD_MARGIN;
}

int field_height()
{
    return ydim * TILE_SIZE + FIELD_MARGIN;
}

int press_field(unsigned px, unsigned py)
{
    // Division truncates toward zero, so the margin pixel 0 gives (0 - 1) / 16 = 0.
    int column = (static_cast<int>(px) - FIELD_MARGIN) / TILE_SIZE;
    int row = (static_cast<int>(py) - FIELD_MARGIN) / TILE_SIZE;
    if (column >= xdim || row >= ydim)
        return 0;
    userx = column;
    usery = row;
    return 1;
}
