// The pair rule: check_pair() cases and the order of flag_less_obvious().
#include <gtest/gtest.h>

#include "engine/board.h"
#include "engine/pair_rule.h"
#include "tests/support/fixture.h"

using PairRuleTest = GameStateTest;
using cells = std::vector<std::pair<int, int>>;
using picture = std::vector<std::string>;

namespace {
cells entries(const neighbor_list& list)
{
    cells out;
    for (int i = 0; i < list.count; i++)
        out.emplace_back(list.x[i], list.y[i]);
    return out;
}
}  // namespace

TEST_F(PairRuleTest, EnumerationsFollowLeftRightAboveBelowOrder)
{
    load_board({"1F.",
                ".3F",
                "F.0"});
    neighbor_list list;
    EXPECT_EQ(enumerate_unknown_neighbors(list, 1, 1), 3);
    EXPECT_EQ(entries(list), (cells{{0, 1}, {2, 0}, {1, 2}}));
    EXPECT_EQ(enumerate_flagged_neighbors(list, 1, 1), 3);
    EXPECT_EQ(entries(list), (cells{{0, 2}, {2, 1}, {1, 0}}));
    neighbor_list other;
    enumerate_unknown_neighbors(other, 0, 0);
    EXPECT_EQ(entries(other), (cells{{0, 1}}));
    EXPECT_EQ(item_is_in_list(0, other, list), 0);
    enumerate_unknown_neighbors(list, 1, 1);
    EXPECT_EQ(item_is_in_list(0, other, list), 1);
}

TEST_F(PairRuleTest, OneMineEachAndOneSideWithinTheOtherOpensTheRest)
{
    load_board({"111",
                ".*."});
    EXPECT_EQ(check_pair(0, 0, 1, 0), 1);
    EXPECT_EQ(reported_cells(), (cells{{2, 1}}));
    EXPECT_EQ(board_picture(), (picture{"111", ".*1"}));
}

TEST_F(PairRuleTest, OneAndTwoLeftWithOneCellOutsideFlagsItInEitherOrder)
{
    load_board({"0121",
                "1..."});
    EXPECT_EQ(check_pair(1, 0, 2, 0), 1);
    EXPECT_EQ(board_picture(), (picture{"0121", "1..F"}));

    load_board({"1210",
                "...1"});
    EXPECT_EQ(check_pair(1, 0, 2, 0), 1);
    EXPECT_EQ(board_picture(), (picture{"1210", "F..1"}));
}

TEST_F(PairRuleTest, NothingIsDecidedWithoutAUniqueConclusion)
{
    load_board({"012.",
                "1..."});
    EXPECT_EQ(check_pair(1, 0, 2, 0), 0) << "two cells outside the 1's neighbours";
    load_board({"11",
                ".."});
    EXPECT_EQ(check_pair(0, 0, 1, 0), 0) << "the same hidden neighbours";
    load_board({"11",
                "F."});
    EXPECT_EQ(check_pair(0, 0, 1, 0), 0) << "the first 1 has its mine flagged";
    load_board({"1.",
                ".."});
    EXPECT_EQ(check_pair(0, 0, 1, 0), 0) << "a hidden second cell";
    load_board({"10",
                ".."});
    EXPECT_EQ(check_pair(0, 0, 1, 0), 0) << "a blank second cell";
    load_board({"22.",
                "..."});
    EXPECT_EQ(check_pair(0, 0, 1, 0), 0) << "two mines each";
    EXPECT_TRUE(posted_messages().empty());
}

TEST_F(PairRuleTest, LaterPairsSeeEarlierOpeningsAndBothPassesRun)
{
    // Horizontal: (0,0)-(1,0) opens (2,1); (1,0)-(2,0) then sees it open and
    // opens (0,1). Vertical: (4,0)-(4,1) opens (5,2).
    load_board({"11101.",
                ".*.01*",
                "00000."});
    EXPECT_EQ(flag_less_obvious(), 1);
    EXPECT_EQ(reported_cells(), (cells{{2, 1}, {0, 1}, {5, 2}}));
    EXPECT_EQ(board_picture(), (picture{"11101.", "1*101*", "000001"}));
}
