// make_a_guess().
#include <gtest/gtest.h>

#include "engine/board.h"
#include "engine/guess.h"
#include "engine/random.h"
#include "tests/support/fixture.h"

using GuessTest = GameStateTest;
using picture = std::vector<std::string>;

TEST_F(GuessTest, NothingHiddenMeansNoDrawAndNoChange)
{
    load_board({"1F",
                "11"});
    reseed_random();
    EXPECT_EQ(make_a_guess(), 0);
    int32_t next = random_draw();
    reseed_random();
    EXPECT_EQ(random_draw(), next) << "the guess must not have drawn";
    EXPECT_EQ(blown_up, 0);
    EXPECT_EQ(guesses, 0);
    EXPECT_EQ(num_guesses, 0);
}

TEST_F(GuessTest, AFatalGuessAtColumn5Row2RecordsIndex66AndLeavesTheMine)
{
    for (int i = 0; i < 480; i++)
        sea[i] = 1;
    sea[5 + 2 * 30] = CELL_MINE;
    sea[100] = CELL_FLAGGED;
    EXPECT_EQ(make_a_guess(), 0);
    EXPECT_EQ(blown_up, 66);
    EXPECT_EQ(sea[65], CELL_MINE);
    EXPECT_EQ(sea[100], CELL_FLAGGED) << "draws on opened or flagged cells are discarded";
    EXPECT_EQ(guesses, 0);
    EXPECT_TRUE(posted_messages().empty());
    EXPECT_TRUE(status_texts().empty());
}

TEST_F(GuessTest, SafeGuessesCountPerGameAndInAllGamesAndFlood)
{
    num_guesses = 5;
    guesses = 2;
    load_board({"....",
                "....",
                "...*"});
    EXPECT_EQ(make_a_guess(), 1);
    EXPECT_EQ(guesses, 3);
    EXPECT_EQ(num_guesses, 6);
    ASSERT_FALSE(status_texts().empty());
    EXPECT_EQ(status_texts()[0].text, "Guesses: 3");
    EXPECT_EQ(status_texts()[0].part, 0);
    EXPECT_EQ(blown_up, 0);
    // Whichever cell was guessed, the opened area is one the flood can make:
    // every blank cell's neighbours are open.
    int opened = 0;
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++)
            opened += cell_value(x, y) >= 0;
    EXPECT_TRUE(opened == 1 || opened == 11) << opened;
}
