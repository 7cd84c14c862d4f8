// choose_tile(): counts, flags, and the uncovered mines of a lost game.
#include <gtest/gtest.h>

#include "engine/board.h"
#include "tests/support/fixture.h"
#include "ui/common/tile_choice.h"

using TileChoiceTest = GameStateTest;

TEST_F(TileChoiceTest, BeforeALossMinesLookLikeAnyHiddenCell)
{
    load_board({"0358F*."});
    std::vector<int> tiles;
    for (int x = 0; x < 7; x++)
        tiles.push_back(choose_tile(x, 0));
    EXPECT_EQ(tiles, (std::vector<int>{0, 3, 5, 8, TILE_FLAG, TILE_HIDDEN, TILE_HIDDEN}));
}

TEST_F(TileChoiceTest, AfterALossOnlyThePickedMineIsRedAndFlagsStayFlags)
{
    load_board({"1F**",
                ".*2."});
    blown_up = 1 + (1 + 1 * 4);  // the mine at column 1, row 1
    EXPECT_EQ(choose_tile(0, 0), 1);
    EXPECT_EQ(choose_tile(1, 0), TILE_FLAG);
    EXPECT_EQ(choose_tile(2, 0), TILE_MINE);
    EXPECT_EQ(choose_tile(3, 0), TILE_MINE);
    EXPECT_EQ(choose_tile(0, 1), TILE_HIDDEN);
    EXPECT_EQ(choose_tile(1, 1), TILE_EXPLODED);
    EXPECT_EQ(choose_tile(2, 1), 2);
    EXPECT_EQ(choose_tile(3, 1), TILE_HIDDEN);
}
