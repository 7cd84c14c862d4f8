// Plays one worker's share and accounts for every game it finishes.
#include "batch/worker.h"

#include <cassert>
#include <cerrno>
#include <cinttypes>
#include <cstdlib>

#include "batch/log_lines.h"
#include "driver/game.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/guess_rules.h"
#include "engine/random.h"
#include "engine/safest_guess.h"

std::FILE* trace_file;

namespace {
inline constexpr int LOG_LINE_SIZE = 96;  // the longest line, 6 fields, is under 80

const worker_plan* plan;
std::FILE* failed_sink;  // the log or trace a write to failed first, and why
int failed_errno;

bool stop_asked()
{
    return stop_solving || failed_sink || (plan->stop && relaxed_load(*plan->stop));
}

// A game with what its guessing rule recorded, taken as soon as it ended:
// the next game starts those records afresh.
struct played_game {
    game_result result;
    int rule;
    int32_t inexact_guesses;
    double safety;
};

// The next game with rule, its guess records started afresh.
played_game play_with(int rule)
{
    guess_rule = rule;
    guess_safety = 1.0;
    inexact_guesses = 0;
    game_result result = play_one_game();
    return {result, rule, inexact_guesses, guess_safety};
}

void count_game(game_tally& tally, const played_game& played, int n)
{
    const game_result& game = played.result;
    game_outcome outcome = classify_game(game.lost, game.score, n);
    tally.by_score[outcome][game.score]++;
    tally.safe_guesses += game.guesses;
    tally.inexact_guesses += played.inexact_guesses;
    int64_t done = tally.finished + 1;
    if (plan->log) {
        char line[LOG_LINE_SIZE];
        int length = std::snprintf(line, sizeof line, "%" PRIu32 "\t%" PRId64 "\t%d\t%d\t%s", plan->seed, done,
                                   game.score, game.guesses, OUTCOME_NAMES[outcome]);
        if (GUESS_RULES[played.rule].reports_chances)
            length += std::snprintf(line + length, sizeof line - std::size_t(length), "\t%.6g", played.safety);
        line[length++] = '\n';
        put_line(plan->log, std::string_view(line, std::size_t(length)));
        note_write(plan->log);
    }
    relaxed_store(tally.finished, done);
}

// The same game (the one the first rule plays from here) with each rule
// compared; the draws go on from where the first rule left them.
void compare_rules(int n)
{
    const std::vector<int>& rules = plan->compare;
    played_game played[GUESS_RULE_COUNT];
    std::mt19937 start = random_state();
    std::mt19937 next;
    for (std::size_t r = 0; r < rules.size(); r++) {
        if (r > 0)
            restore_random(start);
        played[r] = play_with(rules[r]);
        if (r == 0)
            next = random_state();
    }
    restore_random(next);
    bool first_won = played[0].result.score == 0;
    for (std::size_t r = 1; r < rules.size(); r++) {
        bool won = played[r].result.score == 0;
        plan->tally[r].won_alone += won && !first_won;
        plan->tally[r].first_won_alone += first_won && !won;
    }
    for (std::size_t r = rules.size(); r-- > 0;)
        count_game(plan->tally[r], played[r], n);
}

}  // namespace

void note_write(std::FILE* sink)
{
    if (!failed_sink && std::ferror(sink)) {
        failed_sink = sink;
        failed_errno = errno;
    }
}

std::FILE* failed_write(int& error_number)
{
    error_number = failed_errno;
    return failed_sink;
}

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
        if (!share.compare.empty()) {
            compare_rules(xdim * ydim);
            continue;
        }
        played_game game = play_with(share.guess_rule);
        count_game(*share.tally, game, xdim * ydim);
        if (share.until_win && game.result.score == 0)
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
