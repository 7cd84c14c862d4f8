// Test fixture: every test starts from a fresh process-wide state.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_window_side.h"
#include "tests/support/run_state.h"


// Start values of a run (30 by 16, 99 mines, options on), fresh arrays, an
// empty recording and a clear bridge. Waits in TearDown for any solver
// thread a test started, so none outlives its test.
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

// The cells reported by WM_SHOW_CELL messages, in order.
std::vector<std::pair<int, int>> reported_cells();

// Waits up to the given time for thread_running to fall to 0; true if it did.
bool wait_for_solver_end(int milliseconds);
