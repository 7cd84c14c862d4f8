#include "picture_files.h"

#include <cstdio>
#include <fstream>
#include <iterator>

std::vector<uint8_t> read_file(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b.at(at) | b.at(at + 1) << 8);
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(le16(b, at)) | static_cast<uint32_t>(le16(b, at + 2)) << 16;
}

bool decode_dib(const std::vector<uint8_t>& b, size_t at, bool icon, DibImage& out, std::string& why) {
  if (b.size() < at + 40) {
    why = "too short for a BITMAPINFOHEADER";
    return false;
  }
  out.header_size = le32(b, at);
  out.width = static_cast<int32_t>(le32(b, at + 4));
  out.height = static_cast<int32_t>(le32(b, at + 8));
  out.planes = le16(b, at + 12);
  out.bit_count = le16(b, at + 14);
  out.compression = le32(b, at + 16);
  out.size_image = le32(b, at + 20);
  out.colours_used = le32(b, at + 32);
  out.colours_important = le32(b, at + 36);
  if (out.header_size != 40 || out.bit_count != 4 || out.compression != 0 || out.width <= 0 || out.height <= 0) {
    why = "not an uncompressed bottom-up 4-bit DIB with a 40-byte header";
    return false;
  }
  const size_t palette_at = at + out.header_size;
  const int rows = icon ? out.height / 2 : out.height;
  const size_t row_bytes = static_cast<size_t>((out.width * 4 + 31) / 32 * 4);
  const size_t mask_row_bytes = static_cast<size_t>((out.width + 31) / 32 * 4);
  const size_t bits_at = palette_at + 16 * 4;
  const size_t mask_at = bits_at + row_bytes * static_cast<size_t>(rows);
  if (b.size() < mask_at + (icon ? mask_row_bytes * static_cast<size_t>(rows) : 0)) {
    why = "file shorter than its pixels";
    return false;
  }
  for (int i = 0; i < 16; ++i)
    for (int k = 0; k < 4; ++k) out.palette_bgr0[i][k] = b[palette_at + static_cast<size_t>(i * 4 + k)];
  out.rows = rows;
  out.pixels.assign(static_cast<size_t>(out.width * rows), 0);
  for (int stored = 0; stored < rows; ++stored) {
    const int row = rows - 1 - stored;  // bottom row first
    for (int c = 0; c < out.width; ++c) {
      const uint8_t byte = b[bits_at + static_cast<size_t>(stored) * row_bytes + static_cast<size_t>(c / 2)];
      out.pixels[static_cast<size_t>(row * out.width + c)] = c % 2 == 0 ? byte >> 4 : byte & 15;
    }
  }
  if (icon) {
    out.mask.assign(static_cast<size_t>(out.width * rows), 0);
    for (int stored = 0; stored < rows; ++stored) {
      const int row = rows - 1 - stored;
      for (int c = 0; c < out.width; ++c) {
        const uint8_t byte = b[mask_at + static_cast<size_t>(stored) * mask_row_bytes + static_cast<size_t>(c / 8)];
        out.mask[static_cast<size_t>(row * out.width + c)] = (byte >> (7 - c % 8)) & 1;
      }
    }
  }
  return true;
}

std::string tile_bitmap_path(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "/tile_%02d.bmp", index);
  return std::string(ORVANTA_PICTURES_DIR) + name;
}

std::string icon_path() { return std::string(ORVANTA_PICTURES_DIR) + "/orvanta.ico"; }
