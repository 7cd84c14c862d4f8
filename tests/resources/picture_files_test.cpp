// The generated bitmap and icon files: headers, palette order, row order and every pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "expected_pictures.h"
#include "picture_files.h"

namespace {

// The BITMAPINFOHEADER at `at` (an uncompressed, bottom-up, 4-bit DIB of width by height and image_bytes of rows)
// and the palette after it, stored blue, green, red, 0.
void expect_dib_header(const std::vector<uint8_t>& b, size_t at, int width, int height, uint32_t image_bytes) {
  EXPECT_EQ(le32(b, at), 40u) << "header size";
  EXPECT_EQ(le32(b, at + 4), static_cast<uint32_t>(width));
  EXPECT_EQ(le32(b, at + 8), static_cast<uint32_t>(height)) << "positive height: rows stored bottom row first";
  EXPECT_EQ(le16(b, at + 12), 1) << "planes";
  EXPECT_EQ(le16(b, at + 14), 4) << "bits per pixel";
  EXPECT_EQ(le32(b, at + 16), 0u) << "BI_RGB";
  EXPECT_TRUE(le32(b, at + 20) == 0 || le32(b, at + 20) == image_bytes) << "image size: " << le32(b, at + 20);
  EXPECT_TRUE(le32(b, at + 32) == 0 || le32(b, at + 32) == 16u) << "colours used: " << le32(b, at + 32);
  EXPECT_EQ(le32(b, at + 36), 0u) << "colours important";
  for (size_t i = 0; i < 16; ++i)
    for (size_t k = 0; k < 4; ++k)
      EXPECT_EQ(b[at + 40 + 4 * i + k], k < 3 ? expected_palette[i][2 - k] : 0) << "palette " << i << " byte " << k;
}

}  // namespace

TEST(TileBitmaps, HeadersPaletteAndPixels) {
  for (int i = 0; i < 13; ++i) {
    const std::vector<uint8_t> b = read_file(tile_bitmap_path(i));
    ASSERT_EQ(b.size(), 14u + 40u + 64u + 16u * 8u) << tile_bitmap_path(i);
    // BITMAPFILEHEADER: "BM", the file's size, reserved, the offset of the pixels (right after the palette).
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 14),
              (std::vector<uint8_t>{'B', 'M', 246, 0, 0, 0, 0, 0, 0, 0, 118, 0, 0, 0}));
    expect_dib_header(b, 14, 16, 16, 128);
    EXPECT_EQ(picture_mismatch(dib_pixels(b, 14, 16).data(), expected_tile(i), 16), "") << "tile " << i;
  }
}

TEST(IconFile, OneThirtyTwoByThirtyTwoFourBitImageWithAnAllClearMask) {
  const std::vector<uint8_t> b = read_file(icon_path());
  ASSERT_EQ(b.size(), 6u + 16u + 40u + 64u + 32u * 16u + 32u * 4u) << icon_path();
  // ICONDIR (reserved, type 1: icon, one image) and its one entry: 32 by 32, 16 colours, reserved, 1 plane,
  // 4 bits per pixel, the image's size (744 bytes) and offset (22).
  EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 22),
            (std::vector<uint8_t>{0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 1, 0, 4, 0, 0xE8, 2, 0, 0, 22, 0, 0, 0}));
  expect_dib_header(b, 22, 32, 64, 32 * 16 + 32 * 4);  // colour rows, then mask rows
  for (size_t k = 22 + 40 + 64 + 32 * 16; k < b.size(); ++k) ASSERT_EQ(b[k], 0) << "mask byte " << k << ": all clear";
  EXPECT_EQ(picture_mismatch(dib_pixels(b, 22, 32).data(), expected_icon(), 32), "");
  // Raw row order: the first stored colour row is row 31 (all white), the second row 30 (white, light grey...).
  EXPECT_EQ(b[22 + 40 + 64], 0xFF);
  EXPECT_EQ(b[22 + 40 + 64 + 16], 0xF7);
  EXPECT_EQ(b[22 + 40 + 64 + 16 + 1], 0x77);
}

// An ordinary image reader (ImageMagick's convert, found at configure time) opens the files and sees the
// expected colours: a check on the file formats by a decoder that is not ours.
TEST(ImageViewer, OpensEveryTileTheIconAndItsPngInTheirColours) {
  if (std::strlen(ORVANTA_CONVERT) == 0) GTEST_SKIP() << "ImageMagick's convert not found at configure time";
  std::vector<std::pair<std::string, Picture>> files;
  for (int i = 0; i < 13; ++i) files.emplace_back(tile_bitmap_path(i), expected_tile(i));
  files.emplace_back(icon_path(), expected_icon());
  files.emplace_back(std::string(ORVANTA_PICTURES_DIR) + "/orvanta.png", expected_icon());
  for (const auto& [file, expected] : files) {
    std::vector<uint8_t> rgb(expected.size() * 3 + 1);  // one byte more, to see a picture too big
    FILE* pipe = popen(("'" + std::string(ORVANTA_CONVERT) + "' '" + file + "' -depth 8 rgb:-").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    rgb.resize(fread(rgb.data(), 1, rgb.size(), pipe));
    pclose(pipe);
    ASSERT_EQ(rgb.size(), expected.size() * 3) << file;
    for (size_t p = 0; p < expected.size(); ++p)
      for (size_t k = 0; k < 3; ++k)
        ASSERT_EQ(rgb[p * 3 + k], expected_palette[expected[p]][k]) << file << " pixel " << p;
  }
}
