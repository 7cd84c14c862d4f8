// One worker's share of the games: the solver's own games, with a window
// side that draws nothing and traces each game instead.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "batch/tally.h"

struct worker_plan {
    uint32_t seed;       // plays what a solver thread started at this clock reading plays
    int64_t games;       // at most this many
    int first_x;
    int first_y;
    bool until_win;
    bool no_guess;
    int guess_rule;      // a row of GUESS_RULES (one that reports chances gives the log a sixth column)
    std::vector<int> compare;  // empty, or each game with each of these rules, counted in tally[0], tally[1]...
    int verbose;         // status texts below this level go to the trace
    std::FILE* log;      // one line per game, or null
    std::FILE* trace;    // every cell change and status text, or null
    game_tally* tally;   // zeroed by the caller: one, or one per rule compared
    const int32_t* stop; // non-zero: stop after the current game; may be null
};

// Plays the share on the calling thread and returns once it is played, a
// game was won with until_win, a write to the log or trace failed, or
// stop_solving (the interrupt) or *stop was set. Allocates the board for the time of the call; returns 0 (nothing
// played) if it cannot.
int play_share(const worker_plan& plan);

// For the window side: the game a trace line belongs to (counting from 1
// within the worker), and the trace.
int64_t game_in_hand();
extern std::FILE* trace_file;

// After writing to sink: notes the first write that failed, with errno,
// which later calls could change. The worker then stops after its game.
void note_write(std::FILE* sink);

// The sink whose write failed first, and its errno; null if none did.
std::FILE* failed_write(int& error_number);
