// What a guess shows with Show Chances on, and that nothing is shown with it off.
#include <gtest/gtest.h>

#include "driver/state.h"
#include "engine/board.h"
#include "engine/guess.h"
#include "engine/guess_rules.h"
#include "engine/safest_guess.h"
#include "tests/support/fixture.h"

using ChancesTest = GameStateTest;
using log_lines = std::vector<std::string>;

TEST_F(ChancesTest, AGuessShowsItsChancesAndReasonsAndHoldsThemForTheGoSlowPauseOnlyWithShowChancesOn)
{
    guess_rule = find_guess_rule("safest");
    load_board({"1....", "*..*."});
    mines = 2;
    make_safest_guess();
    log_lines quiet = events();
    EXPECT_EQ(quiet.size(), 2u) << "with Show Chances off: the status and the cell, as before";

    chances_shown = 1;
    load_board({"1....", "*..*."});
    reset_recorder();
    make_safest_guess();
    log_lines seen = events();
    seen.resize(4);
    EXPECT_EQ(seen, (log_lines{"chances 4 0.166667 Safest guess at (4, 0): 16.7% chance of a mine, the lowest of 9 hidden cells",
                               "text 0 Safest (4,0): 17%", "pause 500", "text 0 Guesses: 2"}));

    guess_rule = find_guess_rule("random");
    goslow = 0;
    load_board({"121", "*.*"});
    reset_recorder();
    open_guessed_cell(3);
    EXPECT_EQ(events(), (log_lines{"chances 3 1.000000 Random guess at (0, 1): 100.0% chance of a mine; the safest cell had "
                                   "0.0%, one of 3 hidden cells",
                                   "text 0 Random (0,1): 100%, min 0%"}))
        << "without Go Slow nothing waits";
}
