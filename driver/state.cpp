// The shared flags and statistics, and the start values of a run.
#include "driver/state.h"

#include <cstdlib>

#include "engine/board.h"

std::atomic<int32_t> thread_running;
std::atomic<int32_t> stop_solving;
std::atomic<int32_t> killthread;
std::atomic<int32_t> nonstop;
std::atomic<int32_t> goslow;
std::atomic<int32_t> allow_guessing;
std::atomic<int32_t> chances_shown;
std::atomic<int32_t> userx;
std::atomic<int32_t> usery;
int32_t guess_rule;

std::atomic<int32_t> games;
std::atomic<int32_t> num_wins;
std::atomic<int32_t> num_no_starts;
int32_t* scores;

void set_start_values()
{
    sea = nullptr;
    xdim = 30;
    ydim = 16;
    mines = 99;
    games = 0;
    nonstop = 1;
    goslow = 1;
    allow_guessing = 1;
    guess_rule = 0;
    chances_shown = 0;
    verbose = 2;
    level = 0;
    num_wins = 0;
    num_no_starts = 0;
}

int allocate_arrays()
{
    int n = xdim * ydim;
    sea = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * n));
    scores = static_cast<int32_t*>(std::calloc(n + 1, sizeof(int32_t)));
    if (!sea || !scores) {
        std::free(sea);
        std::free(scores);
        sea = nullptr;
        scores = nullptr;
        return 0;
    }
    return 1;
}
