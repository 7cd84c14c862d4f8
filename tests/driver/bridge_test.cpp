// The display bridge: levels, texts and formats.
#include <gtest/gtest.h>

#include "driver/bridge.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/callbacks.h"
#include "tests/support/fixture.h"

using BridgeTest = GameStateTest;
using log_lines = std::vector<std::string>;

TEST_F(BridgeTest, CellsLevelsBelowVerboseErrorsGoSlowPausesStatisticsAndTextsCutTo63Characters)
{
    callback_display_minefield(4, 7);
    callback_display_minefield(4, 7);
    print_new_field();
    for (int level : {0, 1, 2, 3})
        callback_display_status(("level " + std::to_string(level)).c_str(), level);
    callback_display_error("Random error");
    callback_delay();
    goslow = 0;
    callback_delay();
    games = 12;
    num_wins = 3;
    num_no_starts = 2;
    allow_guessing = 0;  // the guessing form with distinct figures is the front-end test's
    print_stats();
    games = num_wins = num_no_starts = 2147483647;
    print_stats();
    print_status(std::string(200, 'x').c_str());
    EXPECT_EQ(events(), (log_lines{"cell 4 7", "cell 4 7", "field", "text 0 level 0", "text 0 level 1",
                                   "text 0 Random error", "pause 500", "text 1 Games played: 12, won: 3, nostart: 2",
                                   "text 1 Games played: 2147483647, won: 2147483647, nostart: 2147483647",
                                   "text 0 " + std::string(63, 'x')}));
    char shown[STATUS_TEXT_SIZE];
    copy_glob_status(shown);
    EXPECT_EQ(shown, std::string(63, 'x'));
    EXPECT_STREQ(szText, "Games played: 2147483647, won: 2147483647, nostart: 2147483647");
}
