// shut_down() and the statistics file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <thread>

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/shutdown.h"
#include "driver/solver.h"
#include "driver/state.h"
#include "engine/board.h"
#include "tests/support/fixture.h"

namespace fs = std::filesystem;

namespace {

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
    std::string scores_text()
    {
        std::ifstream in(directory / SCORES_FILE, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path home;
    fs::path directory;
};

// The number of games a statistics file counts.
int games_in(const std::string& text)
{
    std::istringstream lines(text);
    int total = 0;
    for (int s, count; lines >> s >> count;)
        total += count;
    return total;
}

// A statistics file of the 30 by 16 field with these counts, the rest 0.
std::string statistics(const std::map<int, int>& counts = {})
{
    std::string text;
    for (int s = 0; s <= 480; s++)
        text += std::to_string(s) + "\t" + std::to_string(counts.contains(s) ? counts.at(s) : 0) + "\r\n";
    return text;
}

}  // namespace

TEST_F(ShutdownTest, ExitWithoutASolverReplacesAnEarlierFileAtOnceAndASecondCallDoesNothing)
{
    std::ofstream(SCORES_FILE) << "0\t99\r\nold content that must go\r\n";
    scores[0] = 2;
    scores[17] = 3;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(shut_down(), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(SHUTDOWN_WAIT_MS)) << "no wait";
    EXPECT_EQ(scores_text(), statistics({{0, 2}, {17, 3}}));
    EXPECT_EQ(sea, nullptr);
    EXPECT_EQ(scores, nullptr);
    EXPECT_EQ(killthread + stop_solving, 2);
    print_new_field();  // a game starting now is not drawn either
    EXPECT_EQ(events(), (std::vector<std::string>{"text 0 Shutting down..."}));
    EXPECT_STREQ(glob_status, "") << "the shutdown text bypasses the bridge";
    fs::remove(SCORES_FILE);
    shut_down();
    EXPECT_FALSE(fs::exists(SCORES_FILE));
    solve_command();
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
    // The solver waits in its first flag pause until the exit has begun.
    ASSERT_TRUE(solve_until_a_flag_pause());
    size_t seen = events().size();
    std::thread releaser([] {
        while (!killthread)
            std::this_thread::yield();
        hold_pauses(false);
    });
    shut_down();
    releaser.join();
    EXPECT_EQ(thread_running, 0);
    EXPECT_EQ(sea, nullptr);
    EXPECT_EQ(games, 1) << "Nonstop is on, but the stop ends play after this game";
    std::vector<std::string> log = events();
    for (auto event = log.begin() + long(seen); event != log.end(); ++event)
        EXPECT_TRUE(*event == "text 0 Shutting down..." || *event == "repaint" ||
                    *event == "pause " + std::to_string(BAD_GUESS_PAUSE_MS))
            << *event << ": nothing is drawn or shown once shutting down, and only a bad guess pauses";
    EXPECT_EQ(games_in(scores_text()), 1);
}

TEST_F(ShutdownTest, ASolverThatOutlastsTheWaitKeepsItsArrays)
{
    ASSERT_TRUE(solve_until_a_flag_pause());
    auto start = std::chrono::steady_clock::now();
    shut_down();
    auto waited = std::chrono::steady_clock::now() - start;
    auto waits = std::chrono::milliseconds((SHUTDOWN_WAIT_TESTS - 1) * SHUTDOWN_WAIT_MS);
    EXPECT_GE(waited, waits);
    EXPECT_LT(waited, waits + std::chrono::milliseconds(SHUTDOWN_WAIT_MS)) << "one wait fewer than the tests";
    EXPECT_EQ(thread_running, 1);
    ASSERT_NE(sea, nullptr) << "the running solver still uses the board";
    ASSERT_NE(scores, nullptr);
    EXPECT_EQ(scores_text(), statistics()) << "written from the histogram as it stood";
    hold_pauses(false);
    ASSERT_TRUE(wait_for_solver_end());
    EXPECT_EQ(games, 1);
    EXPECT_EQ(scores_text(), statistics()) << "nothing written after shut_down";
}
