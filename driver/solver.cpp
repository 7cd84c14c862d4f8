// SolverThread: games one after another until won or stopped.
#include "driver/solver.h"

#include "driver/game.h"
#include "driver/state.h"

int SolverThread()
{
    begin_games();
    int score = 1;  // the first game always starts, unless a stop is pending
    while ((score > 0 || nonstop) && !stop_solving)
        score = play_one_game().score;
    thread_running.store(0, std::memory_order_release);
    return 0;
}
