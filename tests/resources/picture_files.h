// Reads the generated .bmp and .ico files byte by byte, as a test's own decoder (it shares no code with the
// generator), so that the tests check what Windows and image viewers will see.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> read_file(const std::string& path);
uint16_t le16(const std::vector<uint8_t>& b, size_t at);
uint32_t le32(const std::vector<uint8_t>& b, size_t at);

// The palette indices of a size-by-size DIB starting at `at` (40-byte header, 16-entry palette, 4-bit rows
// stored bottom row first, high nibble left; size a multiple of 8, so no row padding), row 0 at the top; empty
// if the file is too short.
std::vector<uint8_t> dib_pixels(const std::vector<uint8_t>& b, size_t at, int size);

std::string tile_bitmap_path(int index);  // ORVANTA_PICTURES_DIR/tile_NN.bmp
std::string icon_path();                  // ORVANTA_PICTURES_DIR/orvanta.ico
