// A cell is picked as a press on it in the desktop window would pick it.
#include "ui/term/input.h"

#include <curses.h>

#include <algorithm>

#include "driver/state.h"
#include "engine/board.h"
#include "ui/common/geometry.h"
#include "ui/common/window_queue.h"
#include "ui/term/about.h"
#include "ui/term/commands.h"
#include "ui/term/screen.h"

namespace {

int cursor_x;  // the cell the arrow keys have reached
int cursor_y;

void move_cursor(int dx, int dy)
{
    cursor_x = std::clamp(cursor_x + dx, 0, xdim - 1);
    cursor_y = std::clamp(cursor_y + dy, 0, ydim - 1);
    show_cursor_cell();
}

// The cell becomes the first cell of every game, and Solve follows.
void pick_cell(int x, int y)
{
    if (x < 0 || y < 0 || !press_field(cell_left(x), cell_top(y)))
        return;
    cursor_x = x;
    cursor_y = y;
    show_cursor_cell();
    run_solve();
}

void press_mouse()
{
    MEVENT event;
    if (getmouse(&event) != OK || !(event.bstate & BUTTON1_PRESSED))
        return;
    int column = event.x - FIELD_LEFT;
    int row = event.y - FIELD_TOP;
    if (column >= 0 && row >= 0)
        pick_cell(column / CELL_COLUMNS, row);
}

}  // namespace

void show_cursor_cell()
{
    rest_cursor_at(FIELD_TOP + cursor_y, FIELD_LEFT + CELL_COLUMNS * cursor_x + 1);
}

void handle_key(int key)
{
    if (key == KEY_RESIZE) {
        invalidate_window();
        return;
    }
    // The box is modal: any key closes it, and does nothing else.
    if (about_shown()) {
        close_about();
        return;
    }
    switch (key) {
    case KEY_LEFT:
        move_cursor(-1, 0);
        break;
    case KEY_RIGHT:
        move_cursor(1, 0);
        break;
    case KEY_UP:
        move_cursor(0, -1);
        break;
    case KEY_DOWN:
        move_cursor(0, 1);
        break;
    case KEY_ENTER:
    case '\r':
    case '\n':
        pick_cell(cursor_x, cursor_y);
        break;
    case KEY_MOUSE:
        press_mouse();
        break;
    default:
        run_command_key(key);
        break;
    }
}
