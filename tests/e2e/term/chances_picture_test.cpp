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

namespace {

// The field's rows as shown, and the cells shown reversed.
std::vector<std::string> field_shown(std::vector<int>& reversed)
{
    std::vector<std::string> rows;
    for (int y = 0; y < ydim; y++) {
        std::string row;
        for (int column = 0; column < CELL_COLUMNS * xdim; column++) {
            chtype shown = mvinch(FIELD_TOP + y, FIELD_LEFT + column);
            row += char(shown & A_CHARTEXT);
            if (column % 2 == 0 && (shown & A_REVERSE))
                reversed.push_back(column / 2 + y * xdim);
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(TermChancesTest, TheHiddenCellsShowTheirTensOfPercentTheChosenOneReversedUntilTheNextCell)
{
    reset_run_flags();
    set_start_values();
    ASSERT_TRUE(allocate_arrays());
    FILE* output = std::fopen("/dev/null", "w");
    FILE* input = std::fopen("/dev/null", "r");
    SCREEN* screen = newterm("xterm-256color", output, input);
    ASSERT_NE(screen, nullptr);
    resizeterm(24, 80);
    prepare_tile_colours();
    prepare_chance_colours();
    open_window_queue();
    std::vector<float> chance(xdim * ydim);
    std::vector<std::string> tiles(ydim), expected(ydim);
    for (int i = 0; i < xdim * ydim; i++) {
        sea[i] = i % 7 == 3 ? 2 : i % 13 == 5 ? CELL_FLAGGED : CELL_HIDDEN;
        chance[i] = sea[i] == CELL_HIDDEN ? float(i % 12) / 11 : -1;
        const char* tile = sea[i] == 2 ? " 2" : sea[i] == CELL_FLAGGED ? " F" : "[]";
        tiles[i / xdim] += tile;
        expected[i / xdim] += sea[i] != CELL_HIDDEN ? tile : i % 12 == 11 ? "[*" : "[" + std::to_string(i % 12 * 10 / 11);
    }
    invalidate_window();
    int chosen = 8 + 5 * xdim;
    show_chances(chance.data(), chosen, "why");
    std::vector<int> reversed;
    EXPECT_EQ(field_shown(reversed), expected);
    EXPECT_EQ(reversed, std::vector<int>{chosen});
    draw_cell(0, 0);
    reversed.clear();
    EXPECT_EQ(field_shown(reversed), tiles);
    EXPECT_TRUE(reversed.empty());
    close_window_queue();
    endwin();
    delscreen(screen);
}
