// How games end, and the counts a worker keeps of them.
#pragma once

#include <cstdint>

enum game_outcome { OUTCOME_WON, OUTCOME_LOST, OUTCOME_UNSOLVED, OUTCOME_NOSTART, OUTCOME_COUNT };

// The names used in the log: "won", "lost", "unsolved", "nostart".
extern const char* const OUTCOME_NAMES[OUTCOME_COUNT];
// The names shown in the summaries and the plot: "no-start" for the last.
extern const char* const OUTCOME_LABELS[OUTCOME_COUNT];

// The largest board the counts have room for (30 by 16).
inline constexpr int TALLY_CELLS = 480;

// Lives in memory shared with the parent process, which reads finished
// (through an atomic_ref) while the worker plays, and the rest once it ended.
struct game_tally {
    int64_t finished;      // games played to their end
    int64_t safe_guesses;  // over those games
    int64_t inexact_guesses;  // guesses whose chances were estimated (the safest rule)
    int64_t won_alone;     // in a comparison: games won with this rule and not with the first rule compared
    int64_t first_won_alone;  // and games won with the first rule and not with this one
    int64_t by_score[OUTCOME_COUNT][TALLY_CELLS + 1];  // [outcome][cells left hidden]
};

// A lost game is one where a guess met a mine; otherwise score 0 is won and
// n - 1 (only the first cell ever opened) is a no-start.
game_outcome classify_game(int lost, int score, int n);

void add_tally(game_tally& into, const game_tally& from);
int64_t outcome_total(const game_tally& tally, game_outcome outcome);
int64_t score_total(const game_tally& tally, int score);  // over all outcomes
