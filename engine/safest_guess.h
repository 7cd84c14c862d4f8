// The safest guess: the hidden cell least likely to hold a mine, given the
// numbers shown, the flags and the number of mines left.
#pragma once

#include <cstdint>
#include <vector>

// How many steps the count of one group of cells may take before the group
// is split in two and its chances become an estimate (tests lower it).
inline constexpr int64_t EXACT_COUNT_STEPS = 100000;
extern int64_t exact_count_limit;  // EXACT_COUNT_STEPS unless a test changed it

// Per game, reset by whoever plays the games: the chance that every guess
// so far was safe (the product of the chosen cells' chances to be safe), and
// the guesses whose chances were estimated rather than counted exactly.
extern double guess_safety;
extern int32_t inexact_guesses;

// Sets chance[i], for every cell, to the chance that it holds a mine (-1 for
// opened and flagged cells). Every arrangement of the mines left (mines less
// flags) over the hidden unflagged cells that agrees with every number counts
// once; the cells next to numbers fall into independent groups, counted one
// by one and weighted together by the ways to place the remaining mines on
// the cells that touch no number. A group whose count would pass
// exact_count_limit steps is cut in two halves, each held only to what the
// shared numbers allow it, and each counted (or cut) in turn. Returns 1 if
// every chance is exact, 0 if some group was cut.
int mine_chances(std::vector<double>& chance);

// The cell a guess opens: the lowest chance of a mine; among cells within
// 1e-9 of it, one next to a number, then the one with the fewest hidden
// unflagged neighbours (a corner before an edge before the middle), then the
// lowest index. chance as mine_chances() left it; -1 if no cell is hidden.
int safest_cell(const std::vector<double>& chance);

// The same contract as make_a_guess(), opening safest_cell(): returns 1 when
// it opened a safe cell, 0 when none was hidden or the cell held a mine (then
// blown_up is set). Multiplies guess_safety by the cell's chance to be safe
// and counts an estimated choice in inexact_guesses.
int make_safest_guess();
