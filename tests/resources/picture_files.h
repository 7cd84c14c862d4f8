// Reads the generated .bmp and .ico files byte by byte, as a test's own decoder (it shares no code with the
// generator), so that the tests check what Windows and image viewers will see.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> read_file(const std::string& path);
uint16_t le16(const std::vector<uint8_t>& b, size_t at);
uint32_t le32(const std::vector<uint8_t>& b, size_t at);

struct DibImage {
  // BITMAPINFOHEADER fields
  uint32_t header_size = 0;
  int32_t width = 0, height = 0;
  uint16_t planes = 0, bit_count = 0;
  uint32_t compression = 0, size_image = 0, colours_used = 0, colours_important = 0;
  uint8_t palette_bgr0[16][4] = {};  // as stored: blue, green, red, reserved
  std::vector<uint8_t> pixels;       // palette indices, row 0 at the TOP (decoded from bottom-up storage)
  std::vector<uint8_t> mask;         // icons only: AND mask bits, 1 = transparent, row 0 at the top
  int rows = 0;                      // picture height (half of height for an icon)
};

// Decodes a DIB (header, 16-entry palette, 4-bit bottom-up rows, and for an icon the 1-bit mask) starting at `at`.
// Returns false with a reason if it is not one.
bool decode_dib(const std::vector<uint8_t>& b, size_t at, bool icon, DibImage& out, std::string& why);

std::string tile_bitmap_path(int index);  // ORVANTA_PICTURES_DIR/tile_NN.bmp
std::string icon_path();                  // ORVANTA_PICTURES_DIR/orvanta.ico
