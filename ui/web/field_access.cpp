// The cursor cell and the field's summary, for the page's keyboard and
// screen reader users.
#include "ui/web/field_access.h"

#include <emscripten.h>

#include <algorithm>

#include "driver/state.h"
#include "engine/board.h"
#include "ui/common/geometry.h"
#include "ui/common/tile_choice.h"
#include "ui/web/commands.h"
#include "ui/web/page.h"

namespace {

int cursor_x;
int cursor_y;

void show_cursor()
{
    page_show_cursor(cursor_x, cursor_y, cell_left(cursor_x), cell_top(cursor_y), TILE_SIZE);
}

}  // namespace

void describe_field()
{
    // Once Exit has begun the board may be gone: the label keeps what it said.
    if (killthread)
        return;
    int count[TILE_COUNT] = {};
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++)
            count[choose_tile(x, y)]++;
    int opened = 0;
    for (int tile = 0; tile <= 8; tile++)
        opened += count[tile];
    int outcome = blown_up ? FIELD_LOST : opened == xdim * ydim - mines ? FIELD_WON : FIELD_PLAYING;
    page_describe_field(count[TILE_HIDDEN], count[TILE_FLAG], opened, outcome);
}

EMSCRIPTEN_KEEPALIVE void web_place_cursor()
{
    cursor_x = userx;
    cursor_y = usery;
    show_cursor();
}

EMSCRIPTEN_KEEPALIVE void web_move_cursor(int dx, int dy)
{
    cursor_x = std::clamp(cursor_x + dx, 0, xdim - 1);
    cursor_y = std::clamp(cursor_y + dy, 0, ydim - 1);
    show_cursor();
}

EMSCRIPTEN_KEEPALIVE void web_choose_cursor()
{
    web_press(cell_left(cursor_x), cell_top(cursor_y));
}
