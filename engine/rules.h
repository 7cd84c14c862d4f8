// The single-cell deduction rules. Each goes over the whole board in its
// order, passing over the cells where it cannot act, and returns non-zero
// exactly when it changed it.
#pragma once

#include <cstdint>

// flag_obvious's scratch: the hidden neighbours of the cell under test.
extern int32_t xmark[8];
extern int32_t ymark[8];

// Flags the hidden neighbours of every number that has exactly as many
// hidden neighbours as its value. Rows top to bottom. Returns 1 or 0.
int flag_obvious();

// Opens the other hidden neighbours of every number that has as many
// flagged neighbours as its value. Rows top to bottom. Returns 1 or 0.
int clear_knowns();

// When the unflagged mines left equal the hidden cells left, flags them all;
// when no unflagged mine is left, opens every hidden cell. Columns left to
// right. Returns the number of flags set plus the number of hit() calls.
int deduce_remaining();

// The rule chain: flag_obvious, clear_knowns, flag_less_obvious and
// deduce_remaining in this fixed order, starting again at the first after any
// of them changed the board. Returns once none of them changes anything.
void apply_rules();
