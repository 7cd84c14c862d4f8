// Keys and mouse presses: the commands' keys and their aliases (q and Escape
// for Exit, F1 and ? for About), the arrow keys and Enter over the field, a
// press on a cell, and the terminal's resizes.
#pragma once

void handle_key(int key);

// Rests the terminal's cursor on the cell the arrow keys have reached.
void show_cursor_cell();
// Whether the arrow keys have reached this cell, which is drawn highlighted.
bool is_cursor_cell(int x, int y);
