// A cell is picked as a press on it in the desktop window would pick it.
#include "ui/term/input.h"

#include <curses.h>

#include <algorithm>

#include "driver/state.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "ui/common/geometry.h"
#include "ui/common/window_queue.h"
#include "ui/term/about.h"
#include "ui/term/commands.h"
#include "ui/term/screen.h"

namespace {

int cursor_x;  // the cell the arrow keys have reached
int cursor_y;

// Keys that stand for a command besides the menu's own.
struct key_alias {
    int key;
    int id;
};
const key_alias KEY_ALIASES[] = {{'q', IDM_EXIT}, {'\033', IDM_EXIT}, {KEY_F(1), IDM_ABOUT}, {'?', IDM_ABOUT}};

// The cell left and the cell reached are drawn again, the latter highlighted.
void move_cursor_to(int x, int y)
{
    int left_x = cursor_x;
    int left_y = cursor_y;
    cursor_x = x;
    cursor_y = y;
    draw_cell(left_x, left_y);
    draw_cell(cursor_x, cursor_y);
    show_cursor_cell();
}

void move_cursor(int dx, int dy)
{
    move_cursor_to(std::clamp(cursor_x + dx, 0, xdim - 1), std::clamp(cursor_y + dy, 0, ydim - 1));
}

void run_key(int key)
{
    for (const key_alias& alias : KEY_ALIASES)
        if (key == alias.key) {
            run_entry(alias.id);
            return;
        }
    run_command_key(key);
}

// The cell becomes the first cell of every game, and Solve follows.
void pick_cell(int x, int y)
{
    if (x < 0 || y < 0 || !press_field(cell_left(x), cell_top(y)))
        return;
    move_cursor_to(x, y);
    run_entry(IDM_SOLVE);
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

bool is_cursor_cell(int x, int y)
{
    return x == cursor_x && y == cursor_y;
}

void show_cursor_cell()
{
    rest_cursor_at(FIELD_TOP + cursor_y, FIELD_LEFT + CELL_COLUMNS * cursor_x + 1);
}

void handle_key(int key)
{
    if (key == KEY_RESIZE) {
        invalidate_window();
        redraw_about();
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
        run_key(key);
        break;
    }
}
