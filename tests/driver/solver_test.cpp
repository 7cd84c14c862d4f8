// The game loop and the solver thread: ending, scoring, result texts,
// statistics, Solve and Stop.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/game.h"
#include "driver/solver.h"
#include "driver/state.h"
#include "engine/board.h"
#include "tests/support/fixture.h"

namespace {

using log_lines = std::vector<std::string>;

// Three cells in a row with one mine: every game is won, flagging one cell.
void use_always_won_field()
{
    xdim = 3;
    ydim = 1;
    mines = 1;
}

int count_of(const log_lines& lines, const std::string& line)
{
    return int(std::count(lines.begin(), lines.end(), line));
}

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

TEST_F(SolverTest, WithNonstopOffAWonFirstGameIsTheOnlyGameAndANewRunReplaysItKeepingTheStatistics)
{
    use_always_won_field();
    nonstop = 0;
    for (int run = 1; run <= 2; run++) {
        reset_recorder();
        thread_running = 1;
        EXPECT_EQ(SolverThread(), 0);
        EXPECT_EQ(thread_running, 0);
        EXPECT_EQ(scores[0], run);
        EXPECT_EQ(events(), (log_lines{"text 0 Starting to solve", "field", "cell 0 0", "cell 1 0", "pause 500", "cell 2 0",
                                       "text 0 Problem solved successfully",
                                       "text 1 Games played: " + std::to_string(run) + ", won: " + std::to_string(run) +
                                           ", guesses: 0"}));
    }
}

TEST_F(SolverTest, AGameOpeningOnlyItsFirstCellIsANoStart)
{
    // Two by two with one mine: the first cell shows 1 and nothing follows.
    xdim = ydim = 2;
    mines = 1;
    allow_guessing = 0;
    userx = usery = 1;
    begin_games();
    for (int game = 0; game < 3; game++) {
        game_result result = play_one_game();
        EXPECT_EQ(result.score, 3);
        EXPECT_EQ(result.no_start, 1);
    }
    EXPECT_EQ(num_no_starts, 3);
    EXPECT_EQ(scores[3], 3);
    EXPECT_EQ(count_of(texts(0), "No solution found"), 3);
    EXPECT_EQ(texts(1).back(), "Games played: 3, won: 0, nostart: 3");
    EXPECT_EQ(cells(), (std::vector<std::pair<int, int>>(3, {1, 1}))) << "every game opens the chosen cell";
}

TEST_F(SolverTest, ABadGuessIsNeitherAWinNorANoStartAndUncoversTheMines)
{
    // Two mines in two by two: the first cell shows 2, a guess follows, and
    // two guesses in three meet a mine with three cells left hidden.
    xdim = ydim = 2;
    mines = 2;
    nonstop = 0;
    SolverThread();
    log_lines log = events();
    int bad = count_of(log, "text 0 Bad guess!");
    ASSERT_GT(bad, 0) << "pick another test clock: its first game was won";
    EXPECT_EQ(games, bad + 1) << "with Nonstop off, play ends at the first win";
    EXPECT_EQ(num_wins, 1);
    EXPECT_EQ(num_no_starts, 0);
    EXPECT_EQ(scores[3], bad) << "the exploded mine stays hidden and is scored";
    auto at = std::find(log.begin(), log.end(), "text 0 Bad guess!");
    ASSERT_LT(at + 3, log.end());
    EXPECT_EQ(log_lines(at, at + 3), (log_lines{"text 0 Bad guess!", "repaint", "pause 1500"}));
    EXPECT_EQ(at[3].rfind("text 1 Games played: 1,", 0), 0u) << at[3];
}

TEST_F(SolverTest, AStopBeforeTheFirstGameEndsTheThreadWithoutPlaying)
{
    stop_solving = 1;
    thread_running = 1;
    SolverThread();
    EXPECT_EQ(games, 0);
    EXPECT_TRUE(events().empty());
    EXPECT_EQ(thread_running, 0);
    EXPECT_EQ(num_unflagged_mines(480), 99) << "the seeding field was laid";
}

TEST_F(SolverTest, SolveStartsOneSolverBelowTheWindowThreadAndStopEndsItAfterItsGame)
{
    use_always_won_field();
    hold_pauses(true);
    solve_command();
    ASSERT_TRUE(serve_window_until([] { return !solver_threads().empty() && count_of(events(), "pause 500"); }));
    std::vector<int> solvers = solver_threads();
    EXPECT_EQ(getpriority(PRIO_PROCESS, id_t(solvers[0])), getpriority(PRIO_PROCESS, id_t(gettid())) + 1);
    stop_command();
    solve_command();
    EXPECT_EQ(stop_solving, 0) << "Solve withdraws the stop";
    EXPECT_EQ(solver_threads(), solvers) << "and starts no second solver";
    stop_command();
    hold_pauses(false);
    ASSERT_TRUE(wait_for_solver_end());
    EXPECT_EQ(games, 1);
    EXPECT_EQ(scores[0], 1);
    log_lines shown = texts(0);
    EXPECT_EQ(log_lines(shown.end() - 2, shown.end()), (log_lines{"Stop requested", "Problem solved successfully"}));
    EXPECT_EQ(texts(1).back(), "Games played: 1, won: 1, guesses: 0");
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
