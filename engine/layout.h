// Laying a new field and the first move of a game.
#pragma once

// Fills cells 0 to count - 1 with count-free hidden cells and num_mines mines,
// never at index 0; resets blown_up and guesses. Reports nothing to the display.
void layout_minefield(int count, int num_mines, int reseed);

// Opens (x, y), first moving a mine found there to index 0 unseen.
void hit_1st(int x, int y);
