// Plays one worker's share and accounts for every game it finishes.
#include "batch/worker.h"

#include <cassert>
#include <cinttypes>
#include <cstdlib>

#include "driver/game.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/random.h"

std::FILE* trace_file;

namespace {
const worker_plan* plan;

bool stop_asked()
{
    return stop_solving || (plan->stop && relaxed_load(*plan->stop));
}

void count_game(const game_result& game, int n)
{
    game_tally& tally = *plan->tally;
    game_outcome outcome = classify_game(game.lost, game.score, n);
    tally.by_score[outcome][game.score]++;
    tally.safe_guesses += game.guesses;
    int64_t done = tally.finished + 1;
    if (plan->log)
        std::fprintf(plan->log, "%" PRIu32 "\t%" PRId64 "\t%d\t%d\t%s\n", plan->seed, done, game.score, game.guesses,
                     OUTCOME_NAMES[outcome]);
    relaxed_store(tally.finished, done);
}

}  // namespace

int64_t game_in_hand()
{
    return plan->tally->finished + 1;
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
    allow_guessing = !share.no_guess;
    userx = share.first_x;
    usery = share.first_y;
    pin_clock(share.seed);
    begin_games();
    while (share.tally->finished < share.games && !stop_asked()) {
        game_result game = play_one_game(nullptr);
        count_game(game, xdim * ydim);
        if (share.until_win && game.score == 0)
            break;
    }
    trace_file = nullptr;
    plan = nullptr;
    std::free(sea);
    std::free(scores);
    sea = nullptr;
    scores = nullptr;
    return 1;
}
