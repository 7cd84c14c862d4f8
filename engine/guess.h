// The random guess, when deduction is stuck.
#pragma once

// Opens a random hidden unflagged cell. Returns 1 when it opened a safe cell;
// 0 when none was left, or when the cell held a mine: then blown_up is set
// to its index + 1 and the cell stays as it was.
int make_a_guess();
