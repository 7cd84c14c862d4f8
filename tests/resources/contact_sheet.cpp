// Writes a PNG contact sheet of the 13 generated tile bitmaps and the icon, read back from the files
// (so the sheet shows what Windows loads), enlarged 8 times and labelled with the tile index; below them a
// small field of tiles side by side at 4 times, where the dotted grid between opened cells shows.
// Usage: resources_contact_sheet OUTPUT.png
#include <cstdio>
#include <string>
#include <vector>

#include "picture_files.h"
#include "resources/generator/png_writer.h"

namespace {

struct Canvas {
  int width, height;
  std::vector<uint8_t> rgb;
  Canvas(int w, int h, uint8_t r, uint8_t g, uint8_t b) : width(w), height(h), rgb(static_cast<size_t>(w * h * 3)) {
    for (int i = 0; i < w * h; ++i) {
      rgb[static_cast<size_t>(i * 3)] = r;
      rgb[static_cast<size_t>(i * 3 + 1)] = g;
      rgb[static_cast<size_t>(i * 3 + 2)] = b;
    }
  }
  void put(int x, int y, const uint8_t* colour) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    for (int k = 0; k < 3; ++k) rgb[static_cast<size_t>((y * width + x) * 3 + k)] = colour[k];
  }
  void draw(const DibImage& image, int x0, int y0, int scale) {
    for (int r = 0; r < image.rows; ++r)
      for (int c = 0; c < image.width; ++c) {
        const uint8_t* bgr = image.palette_bgr0[image.pixels[static_cast<size_t>(r * image.width + c)]];
        const uint8_t colour[3] = {bgr[2], bgr[1], bgr[0]};
        for (int dy = 0; dy < scale; ++dy)
          for (int dx = 0; dx < scale; ++dx) put(x0 + c * scale + dx, y0 + r * scale + dy, colour);
      }
  }
  // Digits and the letter I in a 3 by 5 font.
  void label(const std::string& text, int x0, int y0, int scale) {
    static const char* const glyphs[11] = {"111101101101111", "010110010010111", "111001111100111", "111001111001111",
                                           "101101111001001", "111100111001111", "111100111101111", "111001001001001",
                                           "111101111101111", "111101111001111", "111010010010111"};
    static const uint8_t ink[3] = {255, 255, 255};
    for (size_t i = 0; i < text.size(); ++i) {
      const char* g = glyphs[text[i] == 'I' ? 10 : text[i] - '0'];
      for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
          if (g[r * 3 + c] == '1')
            for (int dy = 0; dy < scale; ++dy)
              for (int dx = 0; dx < scale; ++dx)
                put(x0 + static_cast<int>(i) * 4 * scale + c * scale + dx, y0 + r * scale + dy, ink);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  DibImage tiles[13], icon;
  std::string why;
  for (int i = 0; i < 13; ++i)
    if (!decode_dib(read_file(tile_bitmap_path(i)), 14, false, tiles[i], why) || tiles[i].rows != 16) {
      std::fprintf(stderr, "%s: %s\n", tile_bitmap_path(i).c_str(), why.c_str());
      return 1;
    }
  if (!decode_dib(read_file(icon_path()), 22, true, icon, why) || icon.rows != 32) {
    std::fprintf(stderr, "%s: %s\n", icon_path().c_str(), why.c_str());
    return 1;
  }

  const int scale = 8, tile = 16 * scale, gap = 16, label_h = 5 * 3 + 6;
  const int slot = tile + gap;
  const int field_scale = 4, field_cols = 12, field_rows = 3;
  const int top_h = gap + 2 * (label_h + tile + gap);
  const int width = gap + 7 * slot + 32 * scale + gap;
  const int height = top_h + label_h + field_rows * 16 * field_scale + field_scale + gap;
  Canvas sheet(width, height, 0x30, 0x48, 0x60);  // a slate blue that is none of the 16 colours

  for (int i = 0; i < 13; ++i) {
    const int x = gap + (i % 7) * slot, y = gap + (i / 7) * (label_h + tile + gap);
    sheet.label(std::to_string(i), x, y, 3);
    sheet.draw(tiles[i], x, y + label_h, scale);
  }
  const int icon_x = gap + 7 * slot;
  sheet.label("I", icon_x, gap, 3);
  sheet.draw(icon, icon_x, gap + label_h, scale);

  // A small field as the window shows it: a white margin of one pixel, then cells at a 16-pixel pitch.
  const int field[field_rows][field_cols] = {
      {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0},
      {0, 1, 9, 10, 10, 11, 12, 11, 10, 9, 1, 0},
      {0, 1, 10, 10, 10, 10, 10, 10, 10, 10, 1, 0},
  };
  const int fx = gap, fy = top_h + label_h;
  const uint8_t white[3] = {255, 255, 255};
  for (int y = -1; y < field_rows * 16; ++y)
    for (int x = -1; x < field_cols * 16; ++x)
      for (int d = 0; d < field_scale * field_scale; ++d)
        sheet.put(fx + (x + 1) * field_scale + d % field_scale, fy + (y + 1) * field_scale + d / field_scale, white);
  for (int r = 0; r < field_rows; ++r)
    for (int c = 0; c < field_cols; ++c)
      sheet.draw(tiles[field[r][c]], fx + (c * 16 + 1) * field_scale, fy + (r * 16 + 1) * field_scale, field_scale);

  if (!png_writer::write_file(argv[1], width, height, sheet.rgb)) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("contact sheet: %s (%d by %d)\n", argv[1], width, height);
  return 0;
}
