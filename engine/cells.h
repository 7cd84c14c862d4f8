// Stores into the board and the board's counts, through the kept counts.
#pragma once

#include <cstdint>

// Stores a code and reports the cell to the display; a new flag also paces it.
void set_cell(int x, int y, int32_t value);

// Counts of the whole board; count is the number of cells, xdim * ydim.
int num_hidden(int count);           // cells holding CELL_MINE or CELL_HIDDEN
int num_unflagged_mines(int count);  // cells holding CELL_MINE

// The engine's operations come in two forms: the public one first brings the
// kept counts (engine/kept_counts.h) up to date with the board, which anyone
// may have written; the _synced one, which the engine's own steps call on
// one another, relies on them being so. Both belong to the thread that
// plays; other threads only read cells.
void set_cell_synced(int x, int y, int32_t value);
