// A fixture for the batch player's tests that plays a worker's share in the
// test's own process.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "batch/worker.h"
#include "driver/state.h"

inline constexpr uint32_t TEST_SEED = 1700000000;

class BatchTest : public ::testing::Test {
protected:
    // Plays games from TEST_SEED at cell (29, 15), guessing allowed, verbose 2,
    // as change alters it, into a zeroed tally; the log and trace caught as text.
    void play(int64_t games, const std::function<void(worker_plan&)>& change = [](worker_plan&) {})
    {
        // Seed, games, first cell, until-win, no-guess, rule, compare, verbose, log, trace, tally, stop.
        worker_plan share{TEST_SEED, games, 29, 15, false, false, 0, {}, 2, std::tmpfile(), std::tmpfile(), &tally,
                          nullptr};
        change(share);
        tally = {};
        ASSERT_TRUE(share.log && share.trace && play_share(share));
        auto text = [](std::FILE* file) {
            std::string written(std::size_t(std::ftell(file)), '\0');
            std::rewind(file);
            written.resize(std::fread(written.data(), 1, written.size(), file));
            std::fclose(file);
            return written;
        };
        log_text = text(share.log);
        trace_text = text(share.trace);
    }

    game_tally tally{};
    std::string log_text;
    std::string trace_text;
};
