// The display bridge: silence while shutting down, levels, texts and formats.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "driver/bridge.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/callbacks.h"
#include "tests/support/fixture.h"

using BridgeTest = GameStateTest;
using log_lines = std::vector<std::string>;

TEST_F(BridgeTest, EverythingIsSilentWhileShuttingDown)
{
    print_status("before");
    print_stats();
    std::string status = glob_status;
    std::string stats = szText;
    reset_window_side();
    killthread = 1;
    goslow = 1;
    print_new_field();
    callback_display_minefield(1, 2);
    callback_display_status("level 0", 0);
    callback_display_error("... Exploded!");
    callback_delay();
    print_status("after");
    num_wins = 3;
    print_stats();
    EXPECT_TRUE(events().empty());
    EXPECT_EQ(glob_status, status);
    EXPECT_EQ(szText, stats);
}

TEST_F(BridgeTest, CellsAndNewFieldsArePostedEveryTime)
{
    callback_display_minefield(4, 7);
    callback_display_minefield(4, 7);
    print_new_field();
    EXPECT_EQ(events(), (log_lines{"post 113 4 7", "post 113 4 7", "post 114 0 0"}));
}

TEST_F(BridgeTest, OnlyLevelsBelowVerboseAreShownErrorsAlways)
{
    callback_display_status("zero", 0);
    callback_display_status("one", 1);
    callback_display_status("two", 2);
    callback_display_status("three", 3);
    EXPECT_STREQ(glob_status, "one");
    callback_display_error("Random error");
    verbose = 0;
    callback_display_status("zero again", 0);
    callback_display_error("... Exploded!");
    EXPECT_EQ(events(), (log_lines{"text 0 zero", "text 0 one", "text 0 Random error", "text 0 ... Exploded!"}));
    print_status("");
    EXPECT_STREQ(glob_status, "");
    EXPECT_EQ(status_texts().back().text, "");
}

TEST_F(BridgeTest, GoSlowPausesHalfASecondPerFlagOnlyWhenOn)
{
    callback_delay();
    goslow = 0;
    callback_delay();
    EXPECT_EQ(pauses(), (std::vector<int>{500}));
}

TEST_F(BridgeTest, StatisticsShowGuessesOrNoStartsAsAllowGuessingSays)
{
    print_stats();
    EXPECT_STREQ(szText, "Games played: 0, won: 0, guesses: 0");
    games = 12;
    num_wins = 3;
    num_guesses = 40;
    num_no_starts = 2;
    print_stats();
    EXPECT_STREQ(szText, "Games played: 12, won: 3, guesses: 40");
    allow_guessing = 0;
    print_stats();
    EXPECT_STREQ(szText, "Games played: 12, won: 3, nostart: 2");
    EXPECT_EQ(status_texts().back().part, 1);
    EXPECT_EQ(status_texts().back().text, szText);
    games = 2147483647;
    num_wins = 2147483647;
    num_no_starts = 2147483647;
    print_stats();
    EXPECT_STREQ(szText, "Games played: 2147483647, won: 2147483647, nostart: 2147483647");
}

TEST_F(BridgeTest, ALongStatusTextIsCutTo63Characters)
{
    std::string longer(200, 'x');
    print_status(longer.c_str());
    EXPECT_EQ(std::strlen(glob_status), 63u);
    EXPECT_EQ(status_texts().back().text, std::string(63, 'x'));
    char copy[STATUS_TEXT_SIZE];
    copy_glob_status(copy);
    EXPECT_STREQ(copy, glob_status);
}
