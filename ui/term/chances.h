// The chances at a guess over the field: a digit a hidden cell.
#pragma once

// One colour pair a band of chances, where the terminal has colours.
void prepare_chance_colours();

// The cells under the chances get their tiles back (drawn before the next
// cell or field), and the chances are gone.
void clear_chances();
