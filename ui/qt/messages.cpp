// The handlers of the window's private messages and of the full repaint.
#include "ui/qt/messages.h"

#include "driver/bridge.h"
#include "engine/board.h"
#include "ui/qt/commands.h"
#include "ui/qt/main_window.h"
#include "ui/qt/status_bar.h"
#include "ui/qt/tiles.h"

QImage field_picture;

namespace {

bool full_paint_pending;

QRect cell_rect(int x, int y)
{
    return QRect(x * TILE_SIZE + 1, y * TILE_SIZE + 1, TILE_SIZE, TILE_SIZE);
}

// WM_SHOW_CELL: one cell from the board as it is now. A cell outside the
// board names nothing to draw.
void show_cell(intptr_t x, intptr_t y)
{
    if (x < 0 || y < 0 || x >= xdim || y >= ydim)
        return;
    print_cell(static_cast<int>(x), static_cast<int>(y), field_picture);
    field_view->update(cell_rect(static_cast<int>(x), static_cast<int>(y)));
}

// WM_SHOW_NEW_FIELD: every cell hidden, without reading the board.
void show_new_field()
{
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++)
            blit_tile(field_picture, TILE_HIDDEN, x * TILE_SIZE + 1, y * TILE_SIZE + 1);
    field_view->update();
}

}  // namespace

void handle_window_message(uint32_t message, intptr_t wparam, intptr_t lparam)
{
    switch (message) {
    case WM_SHOW_CELL:
        show_cell(wparam, lparam);
        break;
    case WM_SHOW_NEW_FIELD:
        show_new_field();
        break;
    case WM_PAINT:
        invalidate_window();
        break;
    case WM_COMMAND:
        handle_command(static_cast<int>(wparam & 0xFFFF));
        break;
    default:
        break;
    }
}

void invalidate_window()
{
    full_paint_pending = true;
    field_view->update();
}

void paint_window()
{
    if (!full_paint_pending)
        return;
    full_paint_pending = false;
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++)
            print_cell(x, y, field_picture);
    print_stats();
    // Part 0 shows the last status even while shutting down.
    char status[STATUS_TEXT_SIZE];
    copy_glob_status(status);
    set_status_part(0, status);
}
