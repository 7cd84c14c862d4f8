// The game loop and the solver thread: ending, scoring, result texts,
// statistics, Solve and Stop.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/game.h"
#include "driver/solver.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/cells.h"
#include "tests/support/fixture.h"

namespace {

using log_lines = std::vector<std::string>;

// The ids of this process's threads named as the solver.
std::vector<int> solver_threads()
{
    std::vector<int> found;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        if (name == "orvanta-solver")
            found.push_back(std::stoi(task.path().filename()));
    }
    return found;
}

}  // namespace

using SolverTest = GameStateTest;

TEST_F(SolverTest, GamesOnSmallFieldsDrawPauseScoreAndCountAsTheyShould)
{
    struct game_case {
        const char* name;
        int32_t x, y, mines, guessing, first_x, first_y, games;
        const char* events;  // joined by "; "
        const char* scores;  // "score:games" of every score played
    };
    const game_case cases[] = {
        {"two by two, one mine, no guessing: the first cell shows 1, a no-start each time", 2, 2, 1, 0, 1, 1, 3,
         "text 0 Starting to solve; field; cell 1 1; text 0 No solution found; text 1 Games played: 1, won: 0, nostart: 1; "
         "text 0 Starting to solve; field; cell 1 1; text 0 No solution found; text 1 Games played: 2, won: 0, nostart: 2; "
         "text 0 Starting to solve; field; cell 1 1; text 0 No solution found; text 1 Games played: 3, won: 0, nostart: 3",
         "3:3"},
        {"two by two, two mines: a guess follows the 2; a bad one repaints, pauses and scores the mines", 2, 2, 2, 1, 0,
         0, 3,
         "text 0 Starting to solve; field; cell 0 0; text 0 Bad guess!; repaint; pause 1500; "
         "text 1 Games played: 1, won: 0, guesses: 0; "
         "text 0 Starting to solve; field; cell 0 0; text 0 Guesses: 1; cell 1 1; cell 1 0; pause 500; cell 0 1; "
         "pause 500; text 0 Problem solved successfully; text 1 Games played: 2, won: 1, guesses: 1; "
         "text 0 Starting to solve; field; cell 0 0; text 0 Bad guess!; repaint; pause 1500; "
         "text 1 Games played: 3, won: 1, guesses: 1",
         "0:1 3:2"},
    };
    for (const game_case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        xdim = c.x;
        ydim = c.y;
        mines = c.mines;
        allow_guessing = c.guessing;
        userx = c.first_x;
        usery = c.first_y;
        begin_games();
        for (int game = 0; game < c.games; game++)
            play_one_game();
        std::string scored;
        for (int s = 0; s <= xdim * ydim; s++)
            if (scores[s])
                scored += (scored.empty() ? "" : " ") + std::to_string(s) + ":" + std::to_string(scores[s]);
        EXPECT_EQ(joined_events(), c.events);
        EXPECT_EQ(scored, c.scores);
    }
}

TEST_F(SolverTest, WithNonstopOffARunEndsAtTheFirstWinAndAfterAStopLaysTheSeedingFieldOnlyKeepingTheStatistics)
{
    // Three cells in a row with one mine: every game is won.
    xdim = 3;
    ydim = 1;
    mines = 1;
    nonstop = 0;
    for (int run = 1; run <= 3; run++) {
        SCOPED_TRACE("run " + std::to_string(run));
        reset_recorder();
        stop_solving = run == 3;
        thread_running = 1;
        EXPECT_EQ(SolverThread(), 0);
        EXPECT_EQ(thread_running, 0);
        EXPECT_EQ(scores[0], std::min(run, 2));
        EXPECT_EQ(texts(1), run == 3 ? log_lines{} : log_lines{"Games played: " + std::to_string(run) + ", won: " +
                                                                std::to_string(run) + ", guesses: 0"});
    }
    EXPECT_TRUE(events().empty());
    EXPECT_EQ(num_unflagged_mines(3), 1) << "the seeding field was laid";
}

TEST_F(SolverTest, SolveStartsOneSolverBelowTheWindowThreadAndStopEndsItOnceTheGameInHandIsOver)
{
    // The first game of the expert field played whole, then again on a
    // solver that is told to stop in its first flag pause.
    begin_games();
    play_one_game();
    std::vector<std::pair<int, int>> drawn = cells();
    log_lines shown = texts(0);
    SetUp();
    ASSERT_TRUE(solve_until_a_flag_pause());
    std::vector<int> solvers = solver_threads();
    EXPECT_EQ(getpriority(PRIO_PROCESS, id_t(solvers.at(0))), getpriority(PRIO_PROCESS, id_t(gettid())) + 1);
    stop_command();
    solve_command();
    EXPECT_EQ(stop_solving, 0) << "Solve withdraws the stop";
    EXPECT_EQ(solver_threads(), solvers) << "and starts no second solver";
    stop_command();
    hold_pauses(false);
    ASSERT_TRUE(wait_for_solver_end());
    EXPECT_EQ(cells(), drawn) << "the game in hand played to its end, and no other";
    log_lines stopped = texts(0);
    std::erase(stopped, "Stop requested");
    EXPECT_EQ(stopped, shown);
    EXPECT_EQ(texts(1).back().rfind("Games played: 1, ", 0), 0u);
}

TEST_F(SolverTest, AStackBelowTheSystemsSmallestIsRaisedToItAndAThreadThatCannotStartIsNamed)
{
    xdim = 3;  // three cells, one mine: always won
    ydim = 1;
    mines = 1;
    nonstop = 0;
    // 1 byte, which the system refuses; more than there is to map. {stack, games played, texts said}
    const std::tuple<int, int, log_lines> cases[] = {{1, 1, {"Starting to solve", "Problem solved successfully"}},
                                                     {-1, 0, {"Cannot start the solver thread"}}};
    for (const auto& [stack, played, said] : cases) {
        reset_recorder();
        ask_solver_stack(stack);
        int before = games;
        solve_command();
        EXPECT_TRUE(wait_for_solver_end());
        EXPECT_EQ(games - before, played) << "stack " << stack;
        EXPECT_EQ(texts(0), said) << "stack " << stack;
    }
}

TEST_F(SolverTest, AnEmptyFieldFloodsToTheDepthLimitOnTheSolverStack)
{
    mines = 0;
    nonstop = 0;
    solve_command();
    ASSERT_TRUE(wait_for_solver_end());
    EXPECT_EQ(scores[0], 1) << "the flood stopped at depth 300 and the rules opened the rest";
    EXPECT_EQ(cells().size(), 480u);
}

TEST_F(SolverTest, TheWindowThreadReadsCellsWhileTheSolverPlays)
{
    goslow = 0;
    solve_command();
    long opened = 0;
    ASSERT_TRUE(serve_window_until([&opened] {
        for (int y = 0; y < ydim; y++)
            for (int x = 0; x < xdim; x++)
                opened += cell_value(x, y) >= 0;
        opened += blown_up != 0;
        char status[STATUS_TEXT_SIZE];
        copy_glob_status(status);
        if (games >= 200)
            stop_solving = 1;
        return !thread_running.load(std::memory_order_acquire);
    }));
    EXPECT_GE(games, 200);
    EXPECT_GT(opened, 0);
}
