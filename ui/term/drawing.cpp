// The field, the frame, the status line and the full repaint.
#include "ui/term/drawing.h"

#include <curses.h>

#include <cstdio>

#include "driver/bridge.h"
#include "driver/state.h"
#include "engine/board.h"
#include "ui/common/geometry.h"
#include "ui/common/tile_choice.h"
#include "ui/common/window_queue.h"
#include "ui/term/chances.h"
#include "ui/term/commands.h"
#include "ui/term/input.h"
#include "ui/term/screen.h"

namespace {

// A tile as two characters, and its colours as indices of the tile
// pictures' palette: the symbol's colour and the cell's face.
struct tile_look {
    const char* text;
    short symbol;
    short face;
};
constexpr tile_look TILE_LOOKS[TILE_COUNT] = {
    {"  ", 0, 7}, {" 1", 12, 7}, {" 2", 2, 7},  {" 3", 9, 7},  {" 4", 4, 7},  {" 5", 1, 7}, {" 6", 6, 7},
    {" 7", 5, 7}, {" 8", 0, 7},  {" F", 9, 15}, {"[]", 8, 15}, {" *", 0, 7}, {"**", 0, 9},
};
constexpr int BRIGHT = 8;  // palette indices 8 to 15 are the bright colours

chtype tile_attributes[TILE_COUNT];
char shown_parts[2][STATUS_TEXT_SIZE] = {"-", "-"};

// Status part 0 ends where the desktop window's would, a column standing
// for half a cell's pixels.
int part1_column()
{
    constexpr int pixels_per_column = TILE_SIZE / CELL_COLUMNS;
    return status_part0_right(STATUS_COLUMNS * pixels_per_column) / pixels_per_column;
}

void put_tile(int x, int y, int tile)
{
    attrset(tile_attributes[tile] | (is_cursor_cell(x, y) ? A_REVERSE : A_NORMAL));
    mvaddstr(FIELD_TOP + y, FIELD_LEFT + CELL_COLUMNS * x, TILE_LOOKS[tile].text);
    attrset(A_NORMAL);
    screen_changed();
}

void draw_part(int part)
{
    int left = part == 0 ? 0 : part1_column();
    int width = part == 0 ? part1_column() - 1 : STATUS_COLUMNS - left;
    mvprintw(status_row(), left, "%-*.*s", width, width, shown_parts[part]);
    if (part == 0)
        addch('|');
    screen_changed();
}

void draw_frame()
{
    int right = FIELD_LEFT + CELL_COLUMNS * xdim;
    int bottom = FIELD_TOP + ydim;
    mvhline(FRAME_TOP, 1, '-', right - 1);
    mvhline(bottom, 1, '-', right - 1);
    mvvline(FIELD_TOP, 0, '|', ydim);
    mvvline(FIELD_TOP, right, '|', ydim);
    for (int row : {FRAME_TOP, bottom})
        for (int column : {0, right})
            mvaddch(row, column, '+');
}

void draw_too_small()
{
    mvprintw(0, 0, "Orvanta needs %d x %d characters;", needed_columns(), needed_rows());
    mvprintw(1, 0, "this terminal has %d x %d.", COLS, LINES);
    mvaddstr(2, 0, "Make it larger, or press E to exit.");
}

}  // namespace

void prepare_tile_colours()
{
    if (!has_colors() || start_color() == ERR)
        return;
    // Where the terminal has only 8 colours, bold brightens a symbol.
    bool sixteen = COLORS >= 16;
    for (int tile = 0; tile < TILE_COUNT; tile++) {
        const tile_look& look = TILE_LOOKS[tile];
        short symbol = sixteen ? look.symbol : look.symbol % BRIGHT;
        short face = sixteen ? look.face : look.face % BRIGHT;
        if (init_pair(static_cast<short>(tile + 1), symbol, face) == ERR)
            continue;
        tile_attributes[tile] = COLOR_PAIR(tile + 1) | (!sixteen && look.symbol >= BRIGHT ? A_BOLD : A_NORMAL);
    }
}

void draw_cell(int x, int y)
{
    if (killthread || !screen_fits())
        return;
    clear_chances();
    put_tile(x, y, choose_tile(x, y));
}

void draw_new_field()
{
    if (!screen_fits())
        return;
    clear_chances();
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++)
            put_tile(x, y, TILE_HIDDEN);
}

void invalidate_window()
{
    // Drawn over what is there, without erasing: while shutting down the cells
    // are no longer drawn, and keep what they showed.
    if (screen_fits()) {
        draw_commands();
        draw_frame();
        for (int y = 0; y < ydim; y++)
            for (int x = 0; x < xdim; x++)
                draw_cell(x, y);
        draw_part(0);
        draw_part(1);
    } else {
        erase();
        draw_too_small();
    }
    screen_changed();
    print_stats();
    // The left part shows the last status even while shutting down.
    char status[STATUS_TEXT_SIZE];
    copy_glob_status(status);
    show_status_part(0, status);
}

void show_status_part(int part, const char* text)
{
    std::snprintf(shown_parts[part], STATUS_TEXT_SIZE, "%s", text);
    if (screen_fits())
        draw_part(part);
    // While shutting down the loop no longer refreshes: "Shutting down..." is shown at once.
    if (killthread)
        refresh_screen();
}
