// The game loop: ending, scoring, result texts and statistics.
#include <gtest/gtest.h>

#include <algorithm>
#include <algorithm>
#include <atomic>
#include <thread>

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/solver.h"
#include "driver/state.h"
#include "engine/board.h"
#include "tests/support/fixture.h"

namespace {

class SolverTest : public GameStateTest {
protected:
    // A tiny field that every game wins: three cells in a row, one mine.
    void use_always_won_field()
    {
        xdim = 3;
        ydim = 1;
        mines = 1;
    }
    // Two by two with one mine: the first cell shows 1 and nothing follows.
    void use_no_start_field()
    {
        xdim = 2;
        ydim = 2;
        mines = 1;
    }
    int texts_equal_to(const std::string& text)
    {
        int n = 0;
        for (const recorded_text& t : status_texts())
            n += t.part == 0 && t.text == text;
        return n;
    }
};

}  // namespace

TEST_F(SolverTest, WithNonstopOffAWonFirstGameIsTheOnlyGame)
{
    use_always_won_field();
    nonstop = 0;
    thread_running = 1;
    EXPECT_EQ(SolverThread(nullptr), 0);
    EXPECT_EQ(games, 1);
    EXPECT_EQ(num_wins, 1);
    EXPECT_EQ(scores[0], 1);
    EXPECT_EQ(thread_running, 0);
    std::vector<recorded_text> texts = status_texts();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts.front().text, "Starting to solve");
    EXPECT_EQ(texts[texts.size() - 2].text, "Problem solved successfully");
    EXPECT_EQ(texts.back().text, "Games played: 1, won: 1, guesses: 0");
    EXPECT_EQ(posted_messages().front().message, WM_SHOW_NEW_FIELD);
}

TEST_F(SolverTest, AGameOpeningOnlyItsFirstCellIsANoStartAndPlayGoesOn)
{
    use_no_start_field();
    nonstop = 0;
    allow_guessing = 0;
    userx = 1;
    usery = 1;
    stop_after_games(3);
    SolverThread(nullptr);
    EXPECT_EQ(games, 3) << "unsolved games are followed by more until stopped";
    EXPECT_EQ(num_no_starts, 3);
    EXPECT_EQ(num_wins, 0);
    EXPECT_EQ(scores[3], 3);
    EXPECT_EQ(texts_equal_to("No solution found"), 3);
    EXPECT_EQ(status_texts().back().text, "Games played: 3, won: 0, nostart: 3");
    for (const recorded_message& m : posted_messages()) {
        if (m.message == WM_SHOW_CELL) {
            EXPECT_TRUE(m.wparam == 1 && m.lparam == 1) << "every game opens the chosen cell";
        }
    }
}

TEST_F(SolverTest, ABadGuessIsNeitherAWinNorANoStartAndUncoversTheMines)
{
    // Two mines in two by two: the first cell shows 2, a guess follows, and
    // two guesses in three meet a mine with three cells left hidden.
    xdim = 2;
    ydim = 2;
    mines = 2;
    nonstop = 0;
    SolverThread(nullptr);
    int bad = texts_equal_to("Bad guess!");
    ASSERT_GT(bad, 0) << "pick another test clock: its first game was won";
    EXPECT_EQ(games, bad + 1) << "with Nonstop off, play ends at the first win";
    EXPECT_EQ(num_wins, 1);
    EXPECT_EQ(num_no_starts, 0);
    EXPECT_EQ(scores[3], bad) << "the exploded mine stays hidden and is scored";
    EXPECT_EQ(repaint_count(), bad);
    std::vector<int> expected(bad, BAD_GUESS_PAUSE_MS);
    expected.insert(expected.end(), {500, 500});
    EXPECT_EQ(pauses(), expected) << "a pause per bad guess, then one per flag of the won game";
    std::vector<std::string> log = events();
    auto at = std::find(log.begin(), log.end(), "text 0 Bad guess!");
    ASSERT_LT(at + 3, log.end());
    EXPECT_EQ(at[1], "repaint");
    EXPECT_EQ(at[2], "pause 1500");
    EXPECT_EQ(at[3].rfind("text 1 Games played: 1,", 0), 0u) << at[3];
}

TEST_F(SolverTest, AStopBeforeTheFirstGameEndsTheThreadWithoutPlaying)
{
    stop_solving = 1;
    thread_running = 1;
    SolverThread(nullptr);
    EXPECT_EQ(games, 0);
    EXPECT_TRUE(events().empty());
    EXPECT_EQ(thread_running, 0);
    EXPECT_EQ(num_unflagged_mines(480), 99) << "the seeding field was laid";
}

TEST_F(SolverTest, AStopDuringAGameFinishesAndCountsItFirst)
{
    use_always_won_field();
    hold_pauses();
    solve_command(nullptr);
    while (pauses().empty())
        std::this_thread::yield();
    stop_command();
    release_pauses();
    ASSERT_TRUE(wait_for_solver_end(10000));
    EXPECT_EQ(games, 1);
    EXPECT_EQ(scores[0], 1);
    std::vector<recorded_text> texts = status_texts();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[texts.size() - 3].text, "Stop requested");
    EXPECT_EQ(texts[texts.size() - 2].text, "Problem solved successfully");
    EXPECT_EQ(texts.back().text, "Games played: 1, won: 1, guesses: 0");
}

TEST_F(SolverTest, SolveWhileRunningStartsNoSecondThreadAndWithdrawsTheStop)
{
    use_always_won_field();
    hold_pauses();
    stop_after_games(3);
    solve_command(nullptr);
    while (pauses().empty())
        std::this_thread::yield();
    stop_command();
    solve_command(nullptr);
    EXPECT_EQ(stop_solving, 0);
    release_pauses();
    ASSERT_TRUE(wait_for_solver_end(10000));
    EXPECT_EQ(solver_threads_started(), 1);
    EXPECT_EQ(games, 3) << "the withdrawn stop let Nonstop play on";
}

TEST_F(SolverTest, ANewRunReseedsFromTheClockAndKeepsTheStatistics)
{
    xdim = 8;
    ydim = 8;
    mines = 10;
    stop_after_games(5);
    SolverThread(nullptr);
    std::vector<std::string> first = events();
    int won = num_wins;
    reset_window_side();
    stop_after_games(10);
    stop_solving = 0;
    SolverThread(nullptr);
    std::vector<std::string> second = events();
    auto drawn = [](const std::vector<std::string>& log) {
        std::vector<std::string> cells;
        for (const std::string& line : log)
            if (line.rfind("post", 0) == 0)
                cells.push_back(line);
        return cells;
    };
    EXPECT_EQ(drawn(second), drawn(first)) << "the same clock second replays the same games";
    EXPECT_EQ(games, 10);
    EXPECT_EQ(num_wins, 2 * won);
    int finished = 0;
    for (int s = 0; s <= 64; s++)
        finished += scores[s];
    EXPECT_EQ(finished, 10);
}

TEST_F(SolverTest, CellsReadFromTheWindowThreadWhileTheSolverPlays)
{
    goslow = 0;
    stop_after_games(200);
    solve_command(nullptr);
    long opened = 0;
    while (thread_running.load(std::memory_order_acquire)) {
        for (int y = 0; y < ydim; y++)
            for (int x = 0; x < xdim; x++)
                opened += cell_value(x, y) >= 0;
        opened += blown_up != 0;
        char status[STATUS_TEXT_SIZE];
        copy_glob_status(status);
    }
    EXPECT_EQ(games, 200);
    EXPECT_GT(opened, 0);
}
