// Runs SolverThread for one worker and accounts for every game it finishes.
#include "batch/worker.h"

#include <atomic>
#include <cassert>
#include <cinttypes>
#include <cstdlib>

#include "driver/solver.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/random.h"

std::FILE* trace_file;

namespace {
const worker_plan* plan;

bool stop_asked()
{
    return plan->stop && std::atomic_ref<const int32_t>(*plan->stop).load(std::memory_order_relaxed);
}
}  // namespace

int64_t game_in_hand()
{
    return plan->tally->finished + 1;
}

void finish_game()
{
    game_tally& tally = *plan->tally;
    int n = xdim * ydim;
    int score = num_hidden(n);
    game_outcome outcome = classify_game(blown_up, score, n);
    tally.by_score[outcome][score]++;
    tally.safe_guesses += guesses;
    int64_t done = tally.finished + 1;
    if (plan->log)
        std::fprintf(plan->log, "%" PRIu32 "\t%" PRId64 "\t%d\t%d\t%s\n", plan->seed, done, score, int(guesses),
                     OUTCOME_NAMES[outcome]);
    std::atomic_ref<int64_t>(tally.finished).store(done, std::memory_order_relaxed);
    if (done >= plan->games || stop_asked())
        stop_solving = 1;
}

int play_share(const worker_plan& share)
{
    set_start_values();
    assert(xdim * ydim <= TALLY_CELLS);
    if (!allocate_arrays())
        return 0;
    plan = &share;
    trace_file = share.trace;
    verbose = share.verbose;
    goslow = 0;
    nonstop = !share.until_win;
    allow_guessing = !share.no_guess;
    userx = share.first_x;
    usery = share.first_y;
    pin_clock(share.seed);
    stop_solving = stop_asked();
    thread_running = 1;
    SolverThread(nullptr);
    trace_file = nullptr;
    plan = nullptr;
    std::free(sea);
    std::free(scores);
    sea = nullptr;
    scores = nullptr;
    return 1;
}
