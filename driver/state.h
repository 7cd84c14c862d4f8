// The flags, options and statistics shared by the window thread and the
// solver thread. Each is one 32-bit word read and written whole.
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<int32_t> thread_running;  // a solver thread exists
extern std::atomic<int32_t> stop_solving;    // end after the current game
extern std::atomic<int32_t> killthread;      // shutting down: the display is silenced
extern std::atomic<int32_t> nonstop;         // go on after a won game
extern std::atomic<int32_t> goslow;          // pause after each flag and each bad guess
extern std::atomic<int32_t> allow_guessing;  // guess when the rules are stuck
extern std::atomic<int32_t> chances_shown;   // show the mine chances at each guess (off, and never in orvanta.exe)
extern std::atomic<int32_t> userx;           // the cell every game opens first
extern std::atomic<int32_t> usery;

// Which guess the game loop makes when the rules are stuck: a row of
// GUESS_RULES. The batch player's option, or the menu of the Qt program, the
// page and the terminal (written on the window thread, so read and written
// there with relaxed_load and relaxed_store); row 0, the random guess, at start.
extern int32_t guess_rule;

extern std::atomic<int32_t> games;          // games started
extern std::atomic<int32_t> num_wins;       // games won
extern std::atomic<int32_t> num_no_starts;  // games where only the first cell opened
extern int32_t* scores;                     // xdim * ydim + 1 counters, indexed by score

// The start values every run begins with (board 30 by 16 with 99 mines,
// all three options on), in the order the program sets them.
void set_start_values();

// Allocates sea and a zeroed scores for the current board size.
// Returns 0 (having allocated nothing that stays) if either fails.
int allocate_arrays();
