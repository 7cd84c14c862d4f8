// Reading a position for orvanta-batch chances: a first line "WxH/M" as
// --field takes it, then one line a row, a character a cell: a digit for an
// opened cell's count, '.' for a hidden cell, 'F' for a flag (always on a
// mine). A CR before a line end is passed over, and so is a last line end.
// The one place besides merge where the program reads a file that people
// bring, so nothing in it is trusted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "batch/field.h"

struct position {
    field_size field;
    std::vector<int32_t> cells;  // row by row, codes as on the board: CELL_HIDDEN, CELL_FLAGGED or a count
};

// Reads text into out. Returns "" or one line saying what is wrong and
// where ("line 3, column 5: ..."): a malformed file, a count its cell's
// neighbours cannot hold, and a position that no arrangement of the mines
// fits (at the first number of a group of cells that no arrangement fits,
// or at the mines of the first line when only their number is wrong).
std::string read_position(const std::string& text, position& out);
