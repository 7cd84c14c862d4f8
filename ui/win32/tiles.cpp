// Drawing cells: one tile copied from its bitmap to the cell's place.
#include <windows.h>

#include "driver/state.h"
#include "engine/board.h"
#include "ui/common/geometry.h"
#include "ui/win32/main_window.h"

namespace {

// Copies the tile selected into memory to cell (x, y), at the tile's own size.
void copy_tile(HDC surface, HDC memory, int tile, int x, int y)
{
    BitBlt(surface, cell_left(x), cell_top(y), bm[tile].bmWidth, bm[tile].bmHeight, memory, 0, 0, SRCCOPY);
}

}  // namespace

void print_cell(int x, int y, HDC surface)
{
    if (killthread)
        return;
    int tile = choose_tile(x, y);
    HDC memory = CreateCompatibleDC(surface);
    HGDIOBJ previous = SelectObject(memory, hbmpMyBitmap[tile]);
    copy_tile(surface, memory, tile, x, y);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void print_hidden_field(HDC surface)
{
    HDC memory = CreateCompatibleDC(surface);
    HGDIOBJ previous = SelectObject(memory, hbmpMyBitmap[TILE_HIDDEN]);
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++)
            copy_tile(surface, memory, TILE_HIDDEN, x, y);
    SelectObject(memory, previous);
    DeleteDC(memory);
}
