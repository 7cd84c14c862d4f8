// The operations that draw random numbers: the layout and the random guess.
#include <gtest/gtest.h>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/guess.h"
#include "engine/layout.h"
#include "engine/random.h"
#include "tests/support/fixture.h"

using ChanceTest = GameStateTest;

TEST_F(ChanceTest, LayoutPlacesExactlyTheMinesNeverAtIndexZeroAndResetsTheGame)
{
    blown_up = 7;
    guesses = 3;
    for (int round = 0; round < 50; round++) {
        layout_minefield(480, 99, round == 0);
        EXPECT_EQ(sea[0], CELL_HIDDEN);
        EXPECT_EQ(num_hidden(480), 480);
        EXPECT_EQ(num_unflagged_mines(480), 99);
    }
    EXPECT_EQ(blown_up, 0);
    EXPECT_EQ(guesses, 0);
    EXPECT_TRUE(events().empty()) << "a layout shows nothing";
    layout_minefield(4, 3, 0);
    EXPECT_EQ(std::vector<int32_t>(sea, sea + 4), (std::vector<int32_t>{CELL_HIDDEN, CELL_MINE, CELL_MINE, CELL_MINE}))
        << "every cell but the first can be mined";
}

TEST_F(ChanceTest, AGuessWithNothingHiddenDrawsNothing)
{
    load_board({"1F", "11"});
    reseed_random();
    EXPECT_EQ(make_a_guess(), 0);
    int32_t next = random_draw();
    reseed_random();
    EXPECT_EQ(random_draw(), next);
    EXPECT_EQ(blown_up + guesses + num_guesses, 0);
}

TEST_F(ChanceTest, AFatalGuessAtColumn5Row2RecordsIndex66AndLeavesTheMine)
{
    for (int i = 0; i < 480; i++)
        sea[i] = 1;
    sea[5 + 2 * 30] = CELL_MINE;
    sea[100] = CELL_FLAGGED;
    EXPECT_EQ(make_a_guess(), 0);
    EXPECT_EQ(blown_up, 66);
    EXPECT_EQ(sea[65], CELL_MINE);
    EXPECT_EQ(sea[100], CELL_FLAGGED) << "draws on opened or flagged cells are passed over";
    EXPECT_EQ(guesses, 0);
    EXPECT_TRUE(events().empty());
}

TEST_F(ChanceTest, ASafeGuessCountsInTheGameAndInAllGamesAndFloods)
{
    num_guesses = 5;
    guesses = 2;
    load_board({"....", "....", "...*"});
    EXPECT_EQ(make_a_guess(), 1);
    EXPECT_EQ(guesses, 3);
    EXPECT_EQ(num_guesses, 6);
    EXPECT_EQ(texts(0), (std::vector<std::string>{"Guesses: 3"}));
    EXPECT_EQ(blown_up, 0);
    // Whichever cell was guessed, it opened alone (the 1s by the mine) or flooded the rest.
    size_t opened = cells().size();
    EXPECT_TRUE(opened == 1 || opened == 11) << opened;
}
