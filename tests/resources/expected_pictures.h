// The 13 tiles, the icon and the palette as the game draws them, written here again, independently of
// resources/pictures.txt: from rules where the pictures follow rules (edges, grid dots, flag, icon rings)
// and from tables where they are drawn by hand (digits, mine).
#pragma once
#include <array>
#include <cstdint>
#include <string>

using TilePicture = std::array<std::array<uint8_t, 16>, 16>;  // [row][column], palette indices
using IconPicture = std::array<std::array<uint8_t, 32>, 32>;

// Palette indices by name.
inline constexpr uint8_t BLACK = 0, DARK_RED = 1, DARK_GREEN = 2, OLIVE = 3, DARK_BLUE = 4, PURPLE = 5, TEAL = 6,
                         LIGHT_GREY = 7, DARK_GREY = 8, RED = 9, GREEN = 10, YELLOW = 11, BLUE = 12, MAGENTA = 13,
                         CYAN = 14, WHITE = 15;

extern const uint8_t expected_palette[16][3];  // red, green, blue
extern const uint8_t expected_digit_colour[9];  // [1..8]

TilePicture expected_tile(int index);
IconPicture expected_icon();

// The flag's own pixels, in tile coordinates (row, column); 255 where there is none.
TilePicture expected_flag_only();

// A picture as rows of hex digits (one per pixel), with a second picture beside it and '^' under differences.
std::string side_by_side(const uint8_t* actual, const uint8_t* expected, int size);
