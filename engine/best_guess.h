// The best guess: the safest guess that also looks one click ahead, and
// exact play once few arrangements of the mines are left.
#pragma once

// Cells whose chance of a mine is within this of the lowest are weighed by
// the look-ahead; at most LOOK_AHEAD_CELLS of them, safest first.
inline constexpr double LOOK_AHEAD_MARGIN = 0.05;
inline constexpr int LOOK_AHEAD_CELLS = 8;

// The endgame search takes over when no more arrangements than this fit the
// board, on at most 64 hidden cells, and gives up (for the look-ahead) after
// ENDGAME_NODES positions.
inline constexpr double ENDGAME_ARRANGEMENTS = 3000;
inline constexpr int ENDGAME_NODES = 200000;
extern double endgame_arrangements;  // ENDGAME_ARRANGEMENTS unless a test or a measurement changed it

// The chance that opening the hidden unflagged cell at index is safe and
// that the position it leaves (weighed over every number the cell may show)
// then has a cell no more likely to hold a mine than the lowest chance there:
// the product of surviving this click and the next.
double two_click_safety(int index);

// The chance of winning from the board as it stands under the best play,
// each arrangement of the mines that fits the board counting once, and in
// *index the cell that play opens next. -1 when the search is not made: more
// arrangements than endgame_arrangements, more than 64 hidden unflagged
// cells, or more than ENDGAME_NODES positions searched.
double endgame_win_chance(int* index);

// The cell the best guess opens: a cell known to be safe if the count finds
// one; the first cell of a pair that nothing can ever tell apart; the
// endgame search's cell when it is made; else, among the cells near the
// lowest chance, the one with the highest two_click_safety() (ties as
// safest_cell() breaks them). -1 if no cell is hidden. Draws no random
// numbers.
int best_cell();

// The same contract as make_safest_guess(), opening best_cell(), and
// keeping guess_safety and inexact_guesses as it does.
int make_best_guess();
