// shut_down() and the statistics file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "engine/board.h"
#include "tests/support/fixture.h"

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs each test in a directory of its own, where the statistics file lands.
class ShutdownTest : public GameStateTest {
protected:
    void SetUp() override
    {
        GameStateTest::SetUp();
        home = fs::current_path();
        directory = fs::temp_directory_path() / ("orvanta-shutdown-" + std::to_string(getpid()));
        fs::remove_all(directory);
        fs::create_directories(directory);
        fs::current_path(directory);
    }
    void TearDown() override
    {
        GameStateTest::TearDown();
        fs::current_path(home);
        fs::remove_all(directory);
    }
    std::string scores_text() { return read_file(directory / SCORES_FILE); }

    fs::path home;
    fs::path directory;
};

// The number of games a statistics file counts.
int games_in(const std::string& text)
{
    std::istringstream lines(text);
    int total = 0;
    int s;
    int count;
    while (lines >> s >> count)
        total += count;
    return total;
}

std::string zero_histogram(int n)
{
    std::string text;
    for (int s = 0; s <= n; s++)
        text += std::to_string(s) + "\t0\r\n";
    return text;
}

}  // namespace

TEST_F(ShutdownTest, ExitBeforeAnyGameWrites481ZeroLinesWithoutWaiting)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(shut_down(), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(scores_text(), zero_histogram(480));
    EXPECT_EQ(sea, nullptr);
    EXPECT_EQ(scores, nullptr);
    EXPECT_EQ(killthread, 1);
    EXPECT_EQ(stop_solving, 1);
    EXPECT_EQ(events(), (std::vector<std::string>{"text 0 Shutting down..."}));
    EXPECT_STREQ(glob_status, "") << "the shutdown text bypasses the bridge";
}

TEST_F(ShutdownTest, AnEarlierFileIsReplacedAndASecondCallDoesNothing)
{
    std::ofstream(SCORES_FILE) << "0\t99\r\nold content that must go\r\n";
    scores[0] = 2;
    scores[17] = 3;
    shut_down();
    std::string written = scores_text();
    EXPECT_EQ(written.substr(0, 15), "0\t2\r\n1\t0\r\n2\t0\r\n");
    EXPECT_NE(written.find("\r\n17\t3\r\n"), std::string::npos);
    EXPECT_EQ(written.size(), zero_histogram(480).size());
    fs::remove(SCORES_FILE);
    shut_down();
    EXPECT_FALSE(fs::exists(SCORES_FILE));
    solve_command(nullptr);
    EXPECT_EQ(thread_running, 0) << "no solver after the board is released";
}

TEST_F(ShutdownTest, AnUnwritableFileIsNamedWithTheReasonAndMemoryStillReleased)
{
    fs::create_directory(SCORES_FILE);  // a directory where the file should go
    EXPECT_EQ(shut_down(), "Cannot write \"" + (directory / SCORES_FILE).string() + "\": Is a directory");
    EXPECT_TRUE(fs::is_directory(SCORES_FILE));
    EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1) << "no temporary";
    EXPECT_EQ(sea, nullptr);
}

TEST_F(ShutdownTest, AGameRunningAtExitFinishesUnseenWithoutFlagPausesAndIsCounted)
{
    hold_pauses();
    solve_command(nullptr);
    while (pauses().empty())
        std::this_thread::yield();
    // The solver waits in its first flag pause while the exit begins.
    std::thread window_thread([] { shut_down(); });
    auto shutting_down = [] {
        std::vector<std::string> log = events();
        return std::find(log.begin(), log.end(), "text 0 Shutting down...") != log.end();
    };
    while (!shutting_down())
        std::this_thread::yield();
    release_pauses();
    window_thread.join();

    EXPECT_EQ(thread_running, 0);
    EXPECT_EQ(sea, nullptr);
    EXPECT_EQ(games, 1) << "Nonstop is on, but the stop ends play after this game";
    std::vector<std::string> log = events();
    auto after = std::find(log.begin(), log.end(), "text 0 Shutting down...") + 1;
    for (; after != log.end(); ++after)
        EXPECT_TRUE(*after == "repaint" || *after == "pause 1500")
            << *after << ": nothing is drawn or shown once shutting down, and only a bad guess pauses";
    EXPECT_EQ(games_in(scores_text()), 1);
}

TEST_F(ShutdownTest, ASolverBlockedHandingOverATextIsServedDuringTheWait)
{
    make_this_the_window_thread();
    solve_command(nullptr);
    while (!text_waiting_for_window())
        std::this_thread::yield();
    shut_down();
    EXPECT_EQ(thread_running, 0) << "the wait took the text, so the solver could end";
    EXPECT_EQ(sea, nullptr);
    EXPECT_EQ(games_in(scores_text()), games) << "its game finished during the wait and was written";
}

TEST_F(ShutdownTest, ASolverThatOutlastsTheWaitKeepsItsArrays)
{
    hold_pauses();
    solve_command(nullptr);
    while (pauses().empty())
        std::this_thread::yield();
    auto start = std::chrono::steady_clock::now();
    shut_down();
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(14 * 333));
    EXPECT_LT(waited, std::chrono::milliseconds(14 * 333 + 2000));
    EXPECT_EQ(thread_running, 1);
    ASSERT_NE(sea, nullptr) << "the running solver still uses the board";
    ASSERT_NE(scores, nullptr);
    EXPECT_EQ(scores_text(), zero_histogram(480)) << "written from the histogram as it stood";
    release_pauses();
    ASSERT_TRUE(wait_for_solver_end(10000));
    EXPECT_EQ(games, 1);
    EXPECT_EQ(scores_text(), zero_histogram(480)) << "nothing written after shut_down";
}
