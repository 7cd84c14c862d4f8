// The 13 tiles, the icon and the palette as the game draws them, written here again, independently of
// resources/pictures.txt: from rules where the pictures follow rules (edges, grid dots, flag, icon rings)
// and from tables where they are drawn by hand (digits, mine).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Picture = std::vector<uint8_t>;  // palette indices, row by row from the top

// Palette indices by name.
inline constexpr uint8_t BLACK = 0, DARK_RED = 1, DARK_GREEN = 2, OLIVE = 3, DARK_BLUE = 4, PURPLE = 5, TEAL = 6,
                         LIGHT_GREY = 7, DARK_GREY = 8, RED = 9, GREEN = 10, YELLOW = 11, BLUE = 12, MAGENTA = 13,
                         CYAN = 14, WHITE = 15;

extern const uint8_t expected_palette[16][3];  // red, green, blue

Picture expected_tile(int index);  // 16 by 16
Picture expected_icon();           // 32 by 32

// Empty if the size-by-size picture `actual` is `expected`; otherwise it as rows of hex digits, and beside them
// the expected pixels where they differ ('.' elsewhere).
std::string picture_mismatch(const uint8_t* actual, const Picture& expected, int size);
