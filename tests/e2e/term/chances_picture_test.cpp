// The terminal's picture of the chances at a guess, read back from curses' own
// screen: every hidden cell's digit after '[' ('*' for a certain mine), the
// chosen cell alone reversed, the other cells as they were; and the tiles back
// at the next cell.
#include <curses.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "tests/support/run_state.h"
#include "ui/common/window_queue.h"
#include "ui/term/chances.h"
#include "ui/term/drawing.h"
#include "ui/term/screen.h"

// The field as shown, row after row, a reversed character as '<'.
static std::string field_shown()
{
    std::string shown;
    for (int y = 0; y < ydim; y++)
        for (int column = 0; column < CELL_COLUMNS * xdim; column++) {
            chtype cell = mvinch(FIELD_TOP + y, FIELD_LEFT + column);
            shown += (cell & A_REVERSE) ? '<' : char(cell & A_CHARTEXT);
        }
    return shown;
}

TEST(TermChancesTest, TheHiddenCellsShowTheirTensOfPercentTheChosenOneReversedUntilTheNextCell)
{
    reset_run_flags();
    set_start_values();
    ASSERT_TRUE(allocate_arrays());
    SCREEN* screen = newterm("xterm-256color", std::fopen("/dev/null", "w"), std::fopen("/dev/null", "r"));
    ASSERT_NE(screen, nullptr);
    resizeterm(24, 80);
    prepare_tile_colours();
    prepare_chance_colours();
    open_window_queue();
    int chosen = 8 + 5 * xdim;
    std::vector<float> chance(xdim * ydim);
    std::string tiles, expected;
    for (int i = 0; i < xdim * ydim; i++) {
        sea[i] = i % 7 == 3 ? 2 : i % 13 == 5 ? CELL_FLAGGED : CELL_HIDDEN;
        chance[i] = sea[i] == CELL_HIDDEN ? float(i % 12) / 11 : -1;
        std::string tile = sea[i] == 2 ? " 2" : sea[i] == CELL_FLAGGED ? " F" : "[]";
        tiles += tile;
        std::string digit = i % 12 == 11 ? "*" : std::to_string(i % 12 * 10 / 11);
        expected += i == chosen ? "<<" : sea[i] != CELL_HIDDEN ? tile : "[" + digit;
    }
    invalidate_window();
    show_chances(chance.data(), chosen, "why");
    EXPECT_EQ(field_shown(), expected);
    draw_cell(0, 0);
    EXPECT_EQ(field_shown(), "<<" + tiles.substr(2)) << "the tiles back, the first cell's highlight too";
    close_window_queue();
    endwin();
    delscreen(screen);
}
