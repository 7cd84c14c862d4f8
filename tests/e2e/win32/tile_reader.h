// Reads a picture of the field back as tiles, for the Win32 probe and the Qt tests alike.
// rgb(x, y) gives the picture's pixel as 0xRRGGBB.
#pragma once

#include <cstdint>
#include <string>

#include "resources/tile_data.h"
#include "ui/common/geometry.h"
#include "ui/common/tile_choice.h"

inline constexpr int FIELD_COLUMNS = 30;
inline constexpr int FIELD_ROWS = 16;
inline constexpr char TILE_LETTERS[] = "012345678F#*X?";  // tile index to the letter cells_shown() prints; ? for none

// Whether the picture shows the size by size palette image indices with its top-left pixel at (left, top).
template <typename Rgb>
bool shows_image(const Rgb& rgb, int left, int top, const uint8_t* indices, int size)
{
    for (int i = 0; i < size * size; i++) {
        const uint8_t* colour = palette_rgb[indices[i]];
        if (rgb(left + i % size, top + i / size) != (uint32_t(colour[0]) << 16 | colour[1] << 8 | colour[2]))
            return false;
    }
    return true;
}

// A first line "margin=white" when the field's first pixel row and column, which
// no tile covers, are white ("margin=not-white" if not); then one line a row,
// one letter a cell, for a field with its top-left pixel at (ox, oy).
template <typename Rgb>
std::string cells_shown(const Rgb& rgb, int ox, int oy)
{
    bool white = true;
    for (int i = 0; i <= FIELD_COLUMNS * TILE_SIZE; i++)
        white = white && rgb(ox + i, oy) == 0xFFFFFF && (i > FIELD_ROWS * TILE_SIZE || rgb(ox, oy + i) == 0xFFFFFF);
    std::string text = white ? "margin=white\n" : "margin=not-white\n";
    for (int cell = 0; cell < FIELD_COLUMNS * FIELD_ROWS; cell++) {
        int x = cell % FIELD_COLUMNS, y = cell / FIELD_COLUMNS, tile = 0;
        while (tile < TILE_COUNT && !shows_image(rgb, ox + cell_left(x), oy + cell_top(y), tile_pixels[tile][0], TILE_SIZE))
            tile++;
        text += std::string(1, TILE_LETTERS[tile]) + (x == FIELD_COLUMNS - 1 ? "\n" : "");
    }
    return text;
}
