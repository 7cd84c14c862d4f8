// Layout, first move, accessors and counts.
#include <gtest/gtest.h>

#include "engine/board.h"
#include "engine/layout.h"
#include "tests/support/fixture.h"

using BoardTest = GameStateTest;

TEST_F(BoardTest, LayoutPlacesExactlyTheMinesNeverAtIndexZeroAndResetsTheGame)
{
    blown_up = 7;
    guesses = 3;
    for (int round = 0; round < 50; round++) {
        layout_minefield(480, 99, round == 0);
        int mined = 0;
        for (int i = 0; i < 480; i++) {
            ASSERT_TRUE(sea[i] == CELL_MINE || sea[i] == CELL_HIDDEN) << i;
            mined += sea[i] == CELL_MINE;
        }
        EXPECT_EQ(mined, 99);
        EXPECT_EQ(sea[0], CELL_HIDDEN);
        EXPECT_EQ(num_hidden(480), 480);
        EXPECT_EQ(num_unflagged_mines(480), 99);
    }
    EXPECT_EQ(blown_up, 0);
    EXPECT_EQ(guesses, 0);
    EXPECT_TRUE(posted_messages().empty()) << "a layout reports nothing to the display";
}

TEST_F(BoardTest, ReseedsWithinOneClockSecondLayTheSameField)
{
    layout_minefield(480, 99, 1);
    std::vector<int32_t> first(sea, sea + 480);
    layout_minefield(480, 99, 0);
    std::vector<int32_t> next(sea, sea + 480);
    layout_minefield(480, 99, 1);
    EXPECT_EQ(std::vector<int32_t>(sea, sea + 480), first);
    EXPECT_NE(next, first) << "without a reseed the sequence goes on";
}

TEST_F(BoardTest, FirstMoveMovesAMineToTheTopLeftUnseen)
{
    load_board({"..*",
                "..*"});
    hit_1st(2, 0);
    EXPECT_EQ(board_picture(), (std::vector<std::string>{"*.1", "..*"}));
    EXPECT_EQ(reported_cells(), (std::vector<std::pair<int, int>>{{2, 0}}))
        << "only the opened cell is reported; the move of the mine is not";
}

TEST_F(BoardTest, AccessorsAndCountsTellFlagsMinesAndOpenedCellsApart)
{
    load_board({"F*.3"});
    EXPECT_EQ(spcl_value(0, 0), -1);
    EXPECT_EQ(spcl_value(1, 0), -1);
    EXPECT_EQ(spcl_value(2, 0), -2);
    EXPECT_EQ(spcl_value(3, 0), 3);
    EXPECT_EQ(cell_value(0, 0), CELL_FLAGGED);
    EXPECT_EQ(num_hidden(4), 2) << "a flag is not hidden-unflagged, a mine is";
    EXPECT_EQ(num_unflagged_mines(4), 1);
    load_board({"F0", "1F"});
    EXPECT_EQ(num_hidden(4), 0);
}

TEST_F(BoardTest, ANewFlagIsReportedThenPacedAnOpenedCountOnlyReported)
{
    load_board({"..."});
    set_cell(1, 0, CELL_FLAGGED);
    set_cell(2, 0, 4);
    EXPECT_EQ(events(), (std::vector<std::string>{"post 113 1 0", "pause 500", "post 113 2 0"}));
    EXPECT_EQ(cell_value(2, 0), 4);
}
