// choose_tile(): the first rule that holds decides.
#include "ui/common/tile_choice.h"

#include "engine/board.h"

int choose_tile(int x, int y)
{
    int32_t v = cell_value(x, y);
    if (v >= 0 && v <= 8)
        return v;
    if (v == CELL_FLAGGED)
        return TILE_FLAG;
    int32_t exploded = blown_up;
    if (exploded == 0)
        return TILE_HIDDEN;
    if (y * xdim + x == exploded - 1)
        return TILE_EXPLODED;
    if (v == CELL_MINE)
        return TILE_MINE;
    return TILE_HIDDEN;
}
