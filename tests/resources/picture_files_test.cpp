// The generated bitmap and icon files: headers, palette order, row order and every pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "expected_pictures.h"
#include "picture_files.h"
#include "resources/tile_data.h"

namespace {

void expect_palette(const DibImage& image, const std::string& what) {
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(image.palette_bgr0[i][0], expected_palette[i][2]) << what << ": blue of palette entry " << i;
    EXPECT_EQ(image.palette_bgr0[i][1], expected_palette[i][1]) << what << ": green of palette entry " << i;
    EXPECT_EQ(image.palette_bgr0[i][2], expected_palette[i][0]) << what << ": red of palette entry " << i;
    EXPECT_EQ(image.palette_bgr0[i][3], 0) << what << ": reserved byte of palette entry " << i;
  }
}

}  // namespace

TEST(TileBitmaps, HeadersSayUncompressedSixteenBySixteenFourBitsBottomUp) {
  for (int i = 0; i < 13; ++i) {
    const std::vector<uint8_t> b = read_file(tile_bitmap_path(i));
    ASSERT_EQ(b.size(), 14u + 40u + 64u + 16u * 8u) << tile_bitmap_path(i);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size()) << "bfSize";
    EXPECT_EQ(le16(b, 6), 0);
    EXPECT_EQ(le16(b, 8), 0);
    EXPECT_EQ(le32(b, 10), 14u + 40u + 64u) << "bfOffBits: the pixels follow the palette";
    DibImage dib;
    std::string why;
    ASSERT_TRUE(decode_dib(b, 14, false, dib, why)) << why;
    EXPECT_EQ(dib.header_size, 40u);
    EXPECT_EQ(dib.width, 16);
    EXPECT_EQ(dib.height, 16) << "positive height: rows stored bottom row first";
    EXPECT_EQ(dib.planes, 1);
    EXPECT_EQ(dib.bit_count, 4);
    EXPECT_EQ(dib.compression, 0u) << "BI_RGB";
    EXPECT_TRUE(dib.size_image == 0 || dib.size_image == 128u) << dib.size_image;
    EXPECT_TRUE(dib.colours_used == 0 || dib.colours_used == 16u) << dib.colours_used;
    EXPECT_EQ(dib.colours_important, 0u);
    expect_palette(dib, tile_bitmap_path(i));
  }
}

TEST(TileBitmaps, RowsAreStoredBottomFirstHighNibbleLeft) {
  // Read the raw bytes, not through the decoder: the raised cell's bottom row (dark grey, then black) is stored
  // first, its top row (white, then dark grey in column 15) last.
  const std::vector<uint8_t> b = read_file(tile_bitmap_path(10));
  ASSERT_EQ(b.size(), 246u);
  const size_t bits = 118;
  EXPECT_EQ(b[bits + 0], 0x80);  // row 15: columns 0 and 1 = dark grey, black
  for (size_t k = 1; k < 8; ++k) EXPECT_EQ(b[bits + k], 0x00) << k;
  for (size_t k = 0; k < 7; ++k) EXPECT_EQ(b[bits + 15 * 8 + k], 0xFF) << k;  // row 0
  EXPECT_EQ(b[bits + 15 * 8 + 7], 0xF8);
}

TEST(TileBitmaps, PixelsAreThePartsPicturesAndTheCompiledInOnes) {
  for (int i = 0; i < 13; ++i) {
    DibImage dib;
    std::string why;
    ASSERT_TRUE(decode_dib(read_file(tile_bitmap_path(i)), 14, false, dib, why)) << why;
    ASSERT_EQ(dib.pixels.size(), 256u);
    const TilePicture expected = expected_tile(i);
    EXPECT_EQ(0, std::memcmp(dib.pixels.data(), &expected[0][0], 256))
        << "tile " << i << "\n" << side_by_side(dib.pixels.data(), &expected[0][0], 16);
    EXPECT_EQ(0, std::memcmp(dib.pixels.data(), tile_pixels[i], 256)) << "tile " << i << " vs tile_data.cpp";
  }
}

TEST(IconFile, OneThirtyTwoByThirtyTwoFourBitImageWithAnAllClearMask) {
  const std::vector<uint8_t> b = read_file(icon_path());
  const uint32_t image_bytes = 40 + 64 + 32 * 16 + 32 * 4;
  ASSERT_EQ(b.size(), 6u + 16u + image_bytes) << icon_path();
  EXPECT_EQ(le16(b, 0), 0) << "reserved";
  EXPECT_EQ(le16(b, 2), 1) << "type 1: icon";
  EXPECT_EQ(le16(b, 4), 1) << "one image";
  EXPECT_EQ(b[6], 32) << "width";
  EXPECT_EQ(b[7], 32) << "height";
  EXPECT_EQ(b[8], 16) << "colour count";
  EXPECT_EQ(b[9], 0) << "reserved";
  EXPECT_EQ(le16(b, 10), 1) << "planes";
  EXPECT_EQ(le16(b, 12), 4) << "bits per pixel";
  EXPECT_EQ(le32(b, 14), image_bytes) << "bytes in the image";
  EXPECT_EQ(le32(b, 18), 22u) << "offset of the image";

  DibImage dib;
  std::string why;
  ASSERT_TRUE(decode_dib(b, 22, true, dib, why)) << why;
  EXPECT_EQ(dib.width, 32);
  EXPECT_EQ(dib.height, 64) << "colour rows and mask rows";
  EXPECT_EQ(dib.planes, 1);
  EXPECT_EQ(dib.bit_count, 4);
  EXPECT_EQ(dib.compression, 0u);
  expect_palette(dib, "icon");
  for (size_t k = 0; k < dib.mask.size(); ++k) ASSERT_EQ(dib.mask[k], 0) << "mask bit " << k << ": no transparent pixel";
  const IconPicture expected = expected_icon();
  EXPECT_EQ(0, std::memcmp(dib.pixels.data(), &expected[0][0], 1024))
      << side_by_side(dib.pixels.data(), &expected[0][0], 32);
  EXPECT_EQ(0, std::memcmp(dib.pixels.data(), icon_pixels, 1024)) << "icon vs tile_data.cpp";
  // Raw row order: the first stored colour row is row 31 (all white), the second row 30 (white, light grey...).
  EXPECT_EQ(b[22 + 40 + 64], 0xFF);
  EXPECT_EQ(b[22 + 40 + 64 + 16], 0xF7);
  EXPECT_EQ(b[22 + 40 + 64 + 16 + 1], 0x77);
}

// An ordinary image reader (ImageMagick's convert, found at configure time) opens the files and sees the
// Part's colours: a check on the file formats by a decoder that is not ours.
class ImageViewer : public testing::Test {
 protected:
  void SetUp() override {
    if (std::strlen(ORVANTA_CONVERT) == 0) GTEST_SKIP() << "ImageMagick's convert not found at configure time";
  }
  static std::vector<uint8_t> rgb_via_convert(const std::string& file) {
    const std::string command = std::string("'") + ORVANTA_CONVERT + "' '" + file + "' -depth 8 rgb:-";
    std::vector<uint8_t> out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.insert(out.end(), buffer, buffer + n);
    pclose(pipe);
    return out;
  }
};

TEST_F(ImageViewer, OpensEveryTileWithThePartsColours) {
  for (int i = 0; i < 13; ++i) {
    const std::vector<uint8_t> rgb = rgb_via_convert(tile_bitmap_path(i));
    ASSERT_EQ(rgb.size(), 16u * 16u * 3u) << tile_bitmap_path(i);
    const TilePicture expected = expected_tile(i);
    for (int r = 0; r < 16; ++r)
      for (int c = 0; c < 16; ++c)
        for (int k = 0; k < 3; ++k)
          ASSERT_EQ(rgb[static_cast<size_t>((r * 16 + c) * 3 + k)], expected_palette[expected[r][c]][k])
              << "tile " << i << " row " << r << " column " << c;
  }
}

TEST_F(ImageViewer, OpensTheIconAndItsPngWithThePartsColours) {
  const IconPicture expected = expected_icon();
  for (const std::string& file : {icon_path(), std::string(ORVANTA_PICTURES_DIR) + "/orvanta.png"}) {
    const std::vector<uint8_t> rgb = rgb_via_convert(file);
    ASSERT_EQ(rgb.size(), 32u * 32u * 3u) << file;
    for (int r = 0; r < 32; ++r)
      for (int c = 0; c < 32; ++c)
        for (int k = 0; k < 3; ++k)
          ASSERT_EQ(rgb[static_cast<size_t>((r * 32 + c) * 3 + k)], expected_palette[expected[r][c]][k])
              << file << " row " << r << " column " << c;
  }
}
