#include "picture_files.h"

#include <cstdio>
#include <fstream>
#include <iterator>

std::vector<uint8_t> read_file(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b.at(at) | b.at(at + 1) << 8); }

uint32_t le32(const std::vector<uint8_t>& b, size_t at) { return le16(b, at) | uint32_t{le16(b, at + 2)} << 16; }

std::vector<uint8_t> dib_pixels(const std::vector<uint8_t>& b, size_t at, int size) {
  const size_t n = static_cast<size_t>(size), bits = at + 40 + 16 * 4, row_bytes = n / 2;
  std::vector<uint8_t> pixels;
  if (b.size() < bits + row_bytes * n) return pixels;
  for (size_t r = 0; r < n; ++r)
    for (size_t c = 0; c < n; ++c) {
      const uint8_t byte = b[bits + (n - 1 - r) * row_bytes + c / 2];
      pixels.push_back(c % 2 == 0 ? byte >> 4 : byte & 15);
    }
  return pixels;
}

std::string tile_bitmap_path(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "/tile_%02d.bmp", index);
  return std::string(ORVANTA_PICTURES_DIR) + name;
}

std::string icon_path() { return std::string(ORVANTA_PICTURES_DIR) + "/orvanta.ico"; }
