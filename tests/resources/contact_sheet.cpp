// Writes a PNG contact sheet of the 13 generated tile bitmaps (tiles 0 to 6, then 7 to 12 below them) and the
// icon (on the right), read back from the files, so that the sheet shows what Windows loads, enlarged 8 times on
// a slate blue that is none of the 16 colours.
// Usage: resources_contact_sheet OUTPUT.png
#include <cstdio>
#include <string>
#include <vector>

#include "picture_files.h"
#include "resources/generator/png_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  const int scale = 8, gap = 16, slot = 16 * scale + gap;
  const int width = gap + 7 * slot + 32 * scale + gap, height = gap + 2 * slot;
  std::vector<uint8_t> rgb;
  for (int i = 0; i < width * height; ++i) rgb.insert(rgb.end(), {0x30, 0x48, 0x60});
  for (int i = 0; i <= 13; ++i) {
    const bool icon = i == 13;
    const std::string path = icon ? icon_path() : tile_bitmap_path(i);
    const std::vector<uint8_t> file = read_file(path);
    const size_t at = icon ? 22 : 14;
    const int size = icon ? 32 : 16, x0 = gap + (icon ? 7 : i % 7) * slot, y0 = gap + (icon ? 0 : i / 7) * slot;
    const std::vector<uint8_t> pixels = dib_pixels(file, at, size);
    if (pixels.empty()) {
      std::fprintf(stderr, "%s: not a %d by %d picture\n", path.c_str(), size, size);
      return 1;
    }
    for (int y = 0; y < size * scale; ++y)
      for (int x = 0; x < size * scale; ++x) {
        // The pixel's palette entry, stored blue, green, red.
        const size_t colour = at + 40 + 4 * pixels[static_cast<size_t>(y / scale * size + x / scale)];
        const size_t to = static_cast<size_t>((y0 + y) * width + x0 + x) * 3;
        for (size_t k = 0; k < 3; ++k) rgb[to + k] = file[colour + 2 - k];
      }
  }
  if (!png_writer::write_file(argv[1], width, height, rgb)) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("contact sheet: %s (%d by %d)\n", argv[1], width, height);
  return 0;
}
