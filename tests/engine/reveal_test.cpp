// hit() and wash_cell(): visiting orders, the depth limit, traces.
#include <gtest/gtest.h>

#include "engine/board.h"
#include "engine/reveal.h"
#include "tests/support/fixture.h"

using RevealTest = GameStateTest;
using cells = std::vector<std::pair<int, int>>;
using picture = std::vector<std::string>;

TEST_F(RevealTest, FloodFromACornerFollowsTheRowAboveRowBelowSidesOrder)
{
    load_board({"...",
                "..."});
    EXPECT_EQ(hit(0, 0), 0);
    EXPECT_EQ(reported_cells(), (cells{{0, 0}, {1, 1}, {2, 0}, {2, 1}, {1, 0}, {0, 1}}));
    EXPECT_EQ(level, 0);
}

TEST_F(RevealTest, CornerNeighboursAreVisitedDiagonalThenVerticalThenSide)
{
    load_board({"..*",
                "..*",
                "***"});
    hit(0, 0);
    EXPECT_EQ(reported_cells(), (cells{{0, 0}, {1, 1}, {0, 1}, {1, 0}}));
    EXPECT_EQ(board_picture(), (picture{"02*", "25*", "***"}));

    load_board({"***",
                "*..",
                "*.."});
    reset_window_side();
    hit(2, 2);
    EXPECT_EQ(reported_cells(), (cells{{2, 2}, {1, 1}, {2, 1}, {1, 2}}));
}

TEST_F(RevealTest, OpenedMinedAndFlaggedCellsAreLeftAsTheyAre)
{
    load_board({"3*F"});
    EXPECT_EQ(hit(0, 0), 3);
    EXPECT_EQ(hit(1, 0), HIT_MINE);
    EXPECT_EQ(hit(2, 0), HIT_MINE);
    EXPECT_EQ(board_picture(), (picture{"3*F"}));
    EXPECT_TRUE(posted_messages().empty());
    EXPECT_EQ(status_texts().size(), 2u);
    EXPECT_EQ(status_texts()[0].text, "... Exploded!");
    EXPECT_EQ(level, 0);
}

TEST_F(RevealTest, ANumberedCellOpensAloneCountingFlagsAsMines)
{
    load_board({"F..",
                "...",
                "..*"});
    EXPECT_EQ(hit(1, 1), 2);
    EXPECT_EQ(board_picture(), (picture{"F..", ".2.", "..*"}));
}

TEST_F(RevealTest, ABlankCellAtLevel300OpensNoNeighbours)
{
    std::vector<std::string> column(400, ".");
    load_board(column);
    hit(0, 0);
    int opened = 0;
    for (int y = 0; y < 400; y++)
        opened += cell_value(0, y) >= 0;
    EXPECT_EQ(opened, HIT_DEPTH_LIMIT) << "cells 0 to 299 open, the rest stay hidden";
    EXPECT_EQ(cell_value(0, 299), 0);
    EXPECT_EQ(cell_value(0, 300), CELL_HIDDEN);
    EXPECT_EQ(deepest_report_level(), HIT_DEPTH_LIMIT);
    EXPECT_EQ(level, 0);
}

TEST_F(RevealTest, HitTracesEveryHiddenCellItEntersFromVerbose4)
{
    load_board({".*"});
    verbose = 4;
    hit(0, 0);
    hit(1, 0);
    EXPECT_EQ(events(), (std::vector<std::string>{"text 0 Hit X = 0 Y = 0 : recursion level = 1", "post 113 0 0",
                                                  "text 0 Hit X = 1 Y = 0 : recursion level = 1",
                                                  "text 0 ... Exploded!"}));
    reset_window_side();
    verbose = 3;
    load_board({".*"});
    hit(0, 0);
    EXPECT_TRUE(status_texts().empty());
}

TEST_F(RevealTest, WashCellVisitsLeftColumnThenRightColumnThenAboveBelow)
{
    load_board({"0.*",
                "..*",
                "***"});
    EXPECT_EQ(wash_cell(0, 0), 3);
    EXPECT_EQ(reported_cells(), (cells{{1, 1}, {1, 0}, {0, 1}}));
    EXPECT_EQ(board_picture(), (picture{"02*", "25*", "***"}));
}

TEST_F(RevealTest, WashCellCountsOnlyTheNeighboursStillHiddenAtTheirTurn)
{
    load_board({"1...",
                "....",
                "...*"});
    EXPECT_EQ(wash_cell(0, 0), 1) << "the flood from (1, 1) opened (1, 0) and (0, 1) first";
    EXPECT_EQ(board_picture(), (picture{"1000", "0011", "001*"}));
    load_board({"2F",
                "F1"});
    EXPECT_EQ(wash_cell(0, 0), 0);
}

TEST_F(RevealTest, WashCellTracesEachNeighbourItOpensFromVerbose3)
{
    load_board({"0.*"});
    verbose = 3;
    wash_cell(0, 0);
    EXPECT_EQ(events(), (std::vector<std::string>{"post 113 1 0", "text 0 Hit      1   0"}));
}
