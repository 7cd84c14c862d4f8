// SolverThread: the game loop, its scoring and its result texts.
#include "driver/solver.h"

#include "driver/bridge.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "engine/guess.h"
#include "engine/layout.h"
#include "engine/pair_rule.h"
#include "engine/rules.h"

namespace {

// The rules in their fixed order; after any change, start again at the first.
// When none applies, guess if allowed; the game is over when nothing is left
// to do or a guess met a mine.
void play_rules(int n)
{
    for (;;) {
        if (flag_obvious() || clear_knowns() || flag_less_obvious() || deduce_remaining())
            continue;
        if (!allow_guessing || num_hidden(n) == 0)
            return;
        make_a_guess();
        if (blown_up)
            return;
    }
}

void report_outcome(void* window, int n, int score)
{
    if (blown_up) {
        print_status("Bad guess!");
        repaint_window(window);
        if (goslow)
            pause_thread(BAD_GUESS_PAUSE_MS);
        return;
    }
    if (score == n - 1)
        num_no_starts++;
    if (score > 0) {
        print_status("No solution found");
    } else {
        print_status("Problem solved successfully");
        num_wins++;
    }
}

}  // namespace

int SolverThread(void* window)
{
    int n = xdim * ydim;
    layout_minefield(n, mines, 1);
    int score = 1;
    while ((score > 0 || nonstop) && !stop_solving) {
        print_status("Starting to solve");
        layout_minefield(n, mines, 0);
        print_new_field();
        games++;
        hit_1st(userx, usery);
        play_rules(n);
        score = num_hidden(n);
        std::atomic_ref<int32_t>(scores[score]).fetch_add(1, std::memory_order_relaxed);
        report_outcome(window, n, score);
        print_stats();
    }
    thread_running.store(0, std::memory_order_release);
    return 0;
}
