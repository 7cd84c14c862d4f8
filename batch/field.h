// A field as the command line and position files give it: "WxH/M".
#pragma once

#include <cstdint>
#include <string>

struct field_size {
    int width;
    int height;
    int mines;
};

// Reads "WxH/M" into field. Refuses, saying why in one line, a field
// without cells, one of more cells than the engine keeps counts for
// (MAX_CELLS), and one with fewer than two safe cells (the first click and
// one more). Returns "" when read.
std::string read_field_size(const std::string& text, field_size& field);

// Reads a whole decimal number within [low, high]; "" or what is wrong.
std::string read_number(const std::string& text, int64_t low, int64_t high, int64_t& value);
