// Helpers for the batch player's tests: reading a stream, tab-separated
// lines, and a fixture that plays a worker's share in the test's own process.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "batch/worker.h"

inline constexpr uint32_t TEST_SEED = 1700000000;

inline std::string read_stream(std::FILE* file)  // from its start
{
    std::string text;
    char buffer[4096];
    std::rewind(file);
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    return text;
}

inline std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

inline std::vector<std::string> lines_of(const std::string& text)  // without their '\n'
{
    std::vector<std::string> lines = split(text, '\n');
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

class BatchTest : public ::testing::Test {
protected:
    // Plays games from TEST_SEED at cell (0, 0), guessing allowed, verbose 2,
    // as change alters it, into a zeroed tally; the log and trace caught as text.
    void play(int64_t games, const std::function<void(worker_plan&)>& change = nullptr)
    {
        worker_plan share{};
        share.seed = TEST_SEED;
        share.games = games;
        share.verbose = 2;
        share.tally = &tally;
        if (change)
            change(share);
        tally = {};
        share.log = std::tmpfile();
        share.trace = std::tmpfile();
        ASSERT_TRUE(share.log && share.trace && play_share(share));
        log_text = read_stream(share.log);
        trace_text = read_stream(share.trace);
        std::fclose(share.log);
        std::fclose(share.trace);
    }

    game_tally tally{};
    std::string log_text;
    std::string trace_text;
};
