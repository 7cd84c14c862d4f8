// flag_obvious(), clear_knowns(), deduce_remaining().
#include <gtest/gtest.h>

#include "engine/board.h"
#include "engine/rules.h"
#include "tests/support/fixture.h"

using RulesTest = GameStateTest;
using cells = std::vector<std::pair<int, int>>;
using picture = std::vector<std::string>;

TEST_F(RulesTest, FlagObviousFlagsACornerOnesOnlyHiddenNeighbourOnceWithoutTrace)
{
    load_board({"11",
                "1*"});
    EXPECT_EQ(flag_obvious(), 1);
    EXPECT_EQ(board_picture(), (picture{"11", "1F"}));
    EXPECT_EQ(reported_cells(), (cells{{1, 1}})) << "later numbers see the flag and skip it";
    EXPECT_TRUE(status_texts().empty()) << "no trace at verbose 2";
    EXPECT_EQ(flag_obvious(), 0) << "all its hidden neighbours are flagged now";
}

TEST_F(RulesTest, FlagObviousFlagsOnlyTheUnflaggedAndNeedsAnExactCount)
{
    load_board({"F2*",
                "111"});
    EXPECT_EQ(flag_obvious(), 1);
    EXPECT_EQ(reported_cells(), (cells{{2, 0}}));
    load_board({"*2*",
                "1.1"});
    EXPECT_EQ(flag_obvious(), 0) << "three hidden neighbours for a 2";
    EXPECT_EQ(posted_messages().size(), 1u);
}

TEST_F(RulesTest, FlagObviousFlagsWithinOneCellInItsNeighbourOrderTracingFirst)
{
    load_board({"***",
                "*8*",
                "***"});
    verbose = 3;
    EXPECT_EQ(flag_obvious(), 1);
    EXPECT_EQ(reported_cells(), (cells{{0, 0}, {0, 2}, {0, 1}, {2, 0}, {2, 2}, {2, 1}, {1, 0}, {1, 2}}));
    std::vector<std::string> log = events();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "text 0 Marked   0   0");
    EXPECT_EQ(log[1], "post 113 0 0");
    EXPECT_EQ(log[2], "pause 500");
}

TEST_F(RulesTest, ClearKnownsOpensAroundSatisfiedNumbers)
{
    load_board({"1F.",
                "...",
                "222"});
    // (0, 0) opens (1, 1) and (0, 1); (1, 1), scanned later, is then
    // satisfied too and opens (2, 0) and (2, 1).
    EXPECT_EQ(clear_knowns(), 1);
    EXPECT_EQ(reported_cells(), (cells{{1, 1}, {0, 1}, {2, 0}, {2, 1}}));
    EXPECT_EQ(board_picture(), (picture{"1F1", "111", "222"}));
}

TEST_F(RulesTest, ClearKnownsIgnoresBlanksAndNumbersWithNothingLeftToOpen)
{
    load_board({"0F",
                "1F"});
    EXPECT_EQ(clear_knowns(), 0) << "the 1 has two flags; the 0 is not a number";
    load_board({"1F",
                "11"});
    EXPECT_EQ(clear_knowns(), 0) << "satisfied, but nothing hidden is left";
    EXPECT_TRUE(posted_messages().empty());
}

TEST_F(RulesTest, DeduceRemainingFlagsTheLastMinesColumnByColumn)
{
    load_board({"*2*",
                "*20"});
    EXPECT_EQ(deduce_remaining(), 3);
    EXPECT_EQ(reported_cells(), (cells{{0, 0}, {0, 1}, {2, 0}}));
    EXPECT_EQ(board_picture(), (picture{"F2F", "F20"}));
}

TEST_F(RulesTest, DeduceRemainingOpensTheRestColumnByColumnCountingHitCalls)
{
    // All mines flagged: (0, 1) opens alone, (0, 2) floods the rest, which
    // the scan then skips.
    load_board({"F..",
                "...",
                "..."});
    EXPECT_EQ(deduce_remaining(), 2);
    EXPECT_EQ(board_picture(), (picture{"F10", "110", "000"}));
}

TEST_F(RulesTest, DeduceRemainingDoesNothingOnAFinishedBoard)
{
    load_board({"F1",
                "11"});
    EXPECT_EQ(deduce_remaining(), 0);
    EXPECT_TRUE(posted_messages().empty());
}
