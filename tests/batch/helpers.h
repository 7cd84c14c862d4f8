// Helpers for the batch player's tests: text files, tab-separated lines and
// the fixture that plays a worker's share in the test's own process.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "batch/worker.h"

inline constexpr uint32_t TEST_SEED = 1700000000;

std::string read_stream(std::FILE* file);  // from its start
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);
std::vector<std::string> split(const std::string& text, char separator);
std::vector<std::string> lines_of(const std::string& text);  // without their '\n'

// Starts every test from the program's start values and no pending stop.
class BatchTest : public ::testing::Test {
protected:
    void SetUp() override;

    // A plan for games from TEST_SEED at cell (0, 0), guessing allowed, no
    // log or trace, counted into tally.
    worker_plan plan(int64_t games);
    // Plays the plan with the log and trace (when asked for) caught as text.
    void play(worker_plan plan, bool with_log, bool with_trace);

    game_tally tally{};
    std::string log_text;
    std::string trace_text;
};

// A fresh directory under /tmp for each test, removed after it.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::vector<std::string> names() const;  // what the directory holds, sorted

    std::string dir;
};
