// Ending a run in order, and the statistics file it writes.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "driver/output_file.h"

inline constexpr const char* SCORES_FILE = "qxscores.txt";
inline constexpr int SHUTDOWN_WAIT_MS = 333;
inline constexpr int SHUTDOWN_WAIT_TESTS = 15;

// 1 once shut_down() has run: nothing may start a solver after it.
extern std::atomic<int32_t> shut_down_done;

// The first step of shut_down(), for a front end that cannot wait for the
// solver: silences the display, asks the solver to stop after its game and
// says so in part 0.
void begin_shut_down();

// Silences the display, stops the solver (waiting at most 14 x 333 ms while
// still taking its status texts), writes SCORES_FILE and releases the board
// and the histogram. If the solver outlives the wait, the file is written
// from the histogram as it stands and both arrays are left to the end of the
// process, since the solver still uses them. A second call does nothing.
// Returns "" or, if the statistics could not be written, a text for the
// user naming the file and the reason:
//   Cannot write "/home/ann/qxscores.txt": Permission denied
std::string shut_down();

// Writes SCORES_FILE from the histogram as it stands (scores must be
// allocated). Returns "" or, as shut_down() does, a text naming the file and
// the reason it could not be written.
std::string save_scores_file();

// Writes the histogram counts[0..n] into out (from open_output) as n + 1
// lines "s TAB count CR LF" and commits it. Returns 1 on success, 0 with the
// reason on failure (the file it would replace is left as it was).
int write_scores_file(output_file& out, const int64_t* counts, int n, std::string& reason);
