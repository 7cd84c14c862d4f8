// The random guess, when deduction is stuck, and the opening every guessing rule shares.
#pragma once

// Opens a random hidden unflagged cell. Returns 1 when it opened a safe cell;
// 0 when none was left, or when the cell held a mine: then blown_up is set
// to its index + 1 and the cell stays as it was.
int make_a_guess();

// Acts on the hidden unflagged cell at index that a rule guessed, with the
// result make_a_guess() gives: a mine sets blown_up; a safe cell is counted
// in guesses, shown in "Guesses: %d" and opened.
int open_guessed_cell(int index);
