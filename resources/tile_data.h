// The 13 tiles and the icon as palette indices, row 0 at the top; compiled in from the pixel art.
#pragma once
#include <cstdint>
extern const uint8_t tile_pixels[13][16][16];   // [tile index][row][column], palette indices 0..15
extern const uint8_t icon_pixels[32][32];       // [row][column]
extern const uint8_t palette_rgb[16][3];        // red, green, blue
