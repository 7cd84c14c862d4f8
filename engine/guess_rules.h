// The guessing rules, one row each. The game loop calls the chosen row's
// guess; orvanta-batch's --guess, --compare, help, summary and plot list the
// rows. A new rule is its own file beside engine/guess.cpp and a row here.
#pragma once

#include <iterator>
#include <string_view>

#include "engine/guess.h"
#include "engine/safest_guess.h"

struct guess_rule_row {
    const char* name;         // as --guess and --compare take it
    const char* description;  // the cell it opens, as --help says it
    int (*guess)();           // with make_a_guess()'s contract
    // Whether it keeps guess_safety and inexact_guesses: the batch log then
    // gains the chance column, and the summary the "not exact" row.
    bool reports_chances;
};

// Row 0 is the classic random guess, which the desktop programs keep; plain
// --compare plays rows 0 and 1.
inline constexpr guess_rule_row GUESS_RULES[] = {
    {"random", "any hidden cell", make_a_guess, false},
    {"safest", "the cell least likely to hold a mine", make_safest_guess, true},
};
inline constexpr int GUESS_RULE_COUNT = int(std::size(GUESS_RULES));

// The row named name, or -1.
int find_guess_rule(std::string_view name);
