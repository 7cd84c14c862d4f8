// One game of the solver, the same for the solver thread, the batch player
// and the benchmark.
#pragma once

// How a game ended.
struct game_result {
    int score;     // cells left hidden: 0 is a won game
    int lost;      // 1 if a guess met a mine
    int guesses;   // safe guesses in the game
    int no_start;  // 1 if only the first cell was ever opened, without a loss
};

// What every run of games starts with: reseeds the calling thread's random
// draws from the clock and lays a field that no game plays.
void begin_games();

// Plays one game from the cell (userx, usery): lays the field, opens the
// first cell, applies the rules and guesses while allowed, then counts the
// game in the statistics and shows its result text and the statistics text.
// After a bad guess the whole window is repainted.
game_result play_one_game();
