// Test fixture: every test starts from a fresh process-wide state.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recorder.h"
#include "tests/support/run_state.h"

// Start values of a run (30 by 16, 99 mines, options on), fresh arrays, every
// cell hidden, an empty recording with this thread as the window thread. In
// TearDown any solver a test started is stopped and waited for.
class GameStateTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Replaces the board by a picture, one string per row:
//   '.' hidden safe cell, '*' hidden mine, 'F' flag, '0'..'8' opened cell.
// The board size becomes the picture's size.
void load_board(const std::vector<std::string>& rows);

// The board as a picture in the same characters.
std::vector<std::string> board_picture();

// Serves the window until no solver thread runs; true if that came in time.
bool wait_for_solver_end(int milliseconds = 20000);

// Holds the pauses, gives Solve and serves the window until the solver waits
// in its first flag pause; true if that came in time.
bool solve_until_a_flag_pause();
