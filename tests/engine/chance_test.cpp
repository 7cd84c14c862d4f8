// The random guess where nothing is hidden. The layout and the guesses that
// draw are checked by whole games: the solver's table and games_as_recorded.
#include <gtest/gtest.h>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/guess.h"
#include "engine/random.h"
#include "tests/support/fixture.h"

using ChanceTest = GameStateTest;

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
