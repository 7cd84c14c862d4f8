// The safest guess: the hidden cell least likely to hold a mine, given the
// numbers shown, the flags and the number of mines left.
#pragma once

#include <cstdint>
#include <vector>

// Per game, reset by whoever plays the games: the chance that every guess
// so far was safe (the product of the chosen cells' chances to be safe), and
// the guesses whose chances were estimated rather than counted exactly.
extern double guess_safety;
extern int32_t inexact_guesses;

// How good a place a guess is, all else equal, the lower the better: the
// hidden neighbours of the cell, flagged or not (a corner before an edge
// before the middle), and 9 more for a cell next to no number.
int guess_rank(int index);

// The cell a guess opens: the lowest chance of a mine; among cells within
// 1e-9 of it, one next to a number, then the one with the fewest hidden
// neighbours, flagged or not (a corner before an edge before the middle),
// then the lowest index. chance as compute_chances() left it; -1 if no cell
// is hidden.
int safest_cell(const std::vector<double>& chance);

// The same contract as make_a_guess(), opening safest_cell(): returns 1 when
// it opened a safe cell, 0 when none was hidden or the cell held a mine (then
// blown_up is set). Multiplies guess_safety by the cell's chance to be safe
// and counts an estimated choice in inexact_guesses.
int make_safest_guess();
