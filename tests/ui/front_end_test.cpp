// The front-end core: every command through run_command(), as each front end
// meets it.
#include <gtest/gtest.h>

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/state.h"
#include "tests/support/fixture.h"
#include "ui/common/front_end.h"
#include "ui/common/menu_table.h"

using FrontEndTest = GameStateTest;

TEST_F(FrontEndTest, EachCommandActsOnceAndSaysWhatToShow)
{
    // The outcome as "caption|text|information check_marks repaint quit", then the flags
    // nonstop, goslow, allow_guessing, stop_solving after it.
    const struct {
        int id;
        std::string outcome;
        int flags[4];
    } steps[] = {
        {IDM_NONSTOP, "(none)||0 1 1 0", {0, 1, 1, 0}},   {IDM_GOSLOW, "(none)||0 1 1 0", {0, 0, 1, 0}},
        {IDM_GUESS, "(none)||0 1 1 0", {0, 0, 0, 0}},     {IDM_GUESS, "(none)||0 1 1 0", {0, 0, 1, 0}},
        {IDM_STOP, "(none)||0 0 1 0", {0, 0, 1, 1}},      {IDM_ABOUT, std::string("About|") + ABOUT_TEXT + "|0 0 0 0", {0, 0, 1, 1}},
        {105, std::string("(none)|") + UNDEFINED_COMMAND_TEXT + "|1 0 0 0", {0, 0, 1, 1}},
        {IDM_SOLVE, "(none)||0 0 0 0", {0, 0, 1, 0}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.id);
        command_outcome o = run_command(step.id);
        EXPECT_EQ((o.box_caption ? o.box_caption : "(none)") + ("|" + o.box_text + "|") +
                      std::to_string(o.box_information) + " " + std::to_string(o.check_marks) + " " +
                      std::to_string(o.repaint) + " " + std::to_string(o.quit),
                  step.outcome);
        EXPECT_EQ((std::vector<int>{nonstop, goslow, allow_guessing, stop_solving}),
                  std::vector<int>(step.flags, step.flags + 4));
        EXPECT_EQ(is_checked(IDM_NONSTOP) + 2 * is_checked(IDM_GOSLOW) + 4 * is_checked(IDM_GUESS),
                  step.flags[0] + 2 * step.flags[1] + 4 * step.flags[2]);
    }
    // Without Nonstop the solver ends at its first win, the 24th game on the test's clock.
    EXPECT_TRUE(thread_running) << "Solve started the solver";
    EXPECT_TRUE(wait_for_solver_end());
    // A repaint's status parts: the statistics, then the last status.
    events();
    rewrite_status_parts();
    EXPECT_EQ(texts(0).back(), "Problem solved successfully");
    EXPECT_EQ(texts(1).back(), "Games played: 24, won: 1, guesses: 33");
}
