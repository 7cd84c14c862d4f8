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
inline constexpr char TILE_LETTERS[] = "012345678F#*X";  // tile index to the letter cells_shown() prints

// Whether the picture shows the size by size palette image indices with its top-left pixel at (left, top).
template <typename Rgb>
bool shows_image(const Rgb& rgb, int left, int top, const uint8_t* indices, int size)
{
    for (int row = 0; row < size; row++)
        for (int column = 0; column < size; column++) {
            const uint8_t* colour = palette_rgb[indices[row * size + column]];
            if (rgb(left + column, top + row) != (uint32_t(colour[0]) << 16 | colour[1] << 8 | colour[2]))
                return false;
        }
    return true;
}

// The tile that cell (x, y) of a field with its top-left pixel at (ox, oy) shows in full, or -1.
template <typename Rgb>
int tile_at(const Rgb& rgb, int ox, int oy, int x, int y)
{
    for (int tile = 0; tile < TILE_COUNT; tile++)
        if (shows_image(rgb, ox + x * TILE_SIZE + 1, oy + y * TILE_SIZE + 1, &tile_pixels[tile][0][0], TILE_SIZE))
            return tile;
    return -1;
}

// A first line "margin=white" when the field's first pixel row and column, which
// no tile covers, are white ("margin=not-white" if not); then one line a row,
// one letter a cell ('?' for no tile).
template <typename Rgb>
std::string cells_shown(const Rgb& rgb, int ox, int oy)
{
    bool white = true;
    for (int i = 0; i <= FIELD_COLUMNS * TILE_SIZE; i++)
        white = white && rgb(ox + i, oy) == 0xFFFFFF;
    for (int i = 0; i <= FIELD_ROWS * TILE_SIZE; i++)
        white = white && rgb(ox, oy + i) == 0xFFFFFF;
    std::string text = white ? "margin=white\n" : "margin=not-white\n";
    for (int y = 0; y < FIELD_ROWS; y++) {
        for (int x = 0; x < FIELD_COLUMNS; x++) {
            int tile = tile_at(rgb, ox, oy, x, y);
            text += tile < 0 ? '?' : TILE_LETTERS[tile];
        }
        text += '\n';
    }
    return text;
}
