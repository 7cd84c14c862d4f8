// Classifying and adding up finished games.
#include "batch/tally.h"

const char* const OUTCOME_NAMES[OUTCOME_COUNT] = {"won", "lost", "unsolved", "nostart"};
const char* const OUTCOME_LABELS[OUTCOME_COUNT] = {"won", "lost", "unsolved", "no-start"};

game_outcome classify_game(int lost, int score, int n)
{
    if (lost)
        return OUTCOME_LOST;
    if (score == 0)
        return OUTCOME_WON;
    return score == n - 1 ? OUTCOME_NOSTART : OUTCOME_UNSOLVED;
}

void add_tally(game_tally& into, const game_tally& from)
{
    into.finished += from.finished;
    into.safe_guesses += from.safe_guesses;
    into.inexact_guesses += from.inexact_guesses;
    into.won_alone += from.won_alone;
    into.first_won_alone += from.first_won_alone;
    for (int o = 0; o < OUTCOME_COUNT; o++)
        for (int s = 0; s <= TALLY_CELLS; s++)
            into.by_score[o][s] += from.by_score[o][s];
}

int64_t outcome_total(const game_tally& tally, game_outcome outcome)
{
    int64_t total = 0;
    for (int64_t count : tally.by_score[outcome])
        total += count;
    return total;
}

int64_t score_total(const game_tally& tally, int score)
{
    int64_t total = 0;
    for (int o = 0; o < OUTCOME_COUNT; o++)
        total += tally.by_score[o][score];
    return total;
}
