// Solve, Stop, the option toggles and the press on the field.
#include <gtest/gtest.h>

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/state.h"
#include "engine/board.h"
#include "tests/support/fixture.h"

using CommandsTest = GameStateTest;

TEST_F(CommandsTest, APressMapsPixelsToCellsWithTheMarginInTheFirstCell)
{
    EXPECT_EQ(press_field(0, 0), 1);
    EXPECT_EQ(userx, 0);
    EXPECT_EQ(usery, 0);
    EXPECT_EQ(press_field(17, 33), 1);
    EXPECT_EQ(userx, 1);
    EXPECT_EQ(usery, 2);
    EXPECT_EQ(press_field(16, 16), 1);
    EXPECT_EQ(userx, 0);
    EXPECT_EQ(press_field(480, 256), 1);
    EXPECT_EQ(userx, 29);
    EXPECT_EQ(usery, 15);
    EXPECT_EQ(press_field(481, 20), 0) << "column 30 is outside";
    EXPECT_EQ(press_field(20, 257), 0) << "row 16 is outside";
    EXPECT_EQ(press_field(65535, 65535), 0);
    EXPECT_EQ(userx, 29) << "a press outside keeps the last cell";
    EXPECT_EQ(usery, 15);
}

TEST_F(CommandsTest, StopWhileIdleIsShownAndTheNextSolveClearsIt)
{
    stop_command();
    EXPECT_EQ(stop_solving, 1);
    EXPECT_STREQ(glob_status, "Stop requested");
    killthread = 1;
    xdim = 3;
    ydim = 1;
    mines = 1;
    nonstop = 0;
    solve_command(nullptr);
    EXPECT_EQ(stop_solving, 0);
    EXPECT_EQ(killthread, 0);
    ASSERT_TRUE(wait_for_solver_end(10000));
    EXPECT_EQ(solver_threads_started(), 1);
    EXPECT_EQ(games, 1) << "the run started normally and won its only game";
}
