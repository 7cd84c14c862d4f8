// The pixels compiled in from resources/pictures.txt (resources/tile_data.h) against the expected pictures.
#include <gtest/gtest.h>

#include "expected_pictures.h"
#include "resources/tile_data.h"
#include "ui/common/tile_choice.h"

TEST(TileData, PaletteTilesAndIconAreTheExpectedPictures) {
  for (int i = 0; i < 16; ++i)
    for (int k = 0; k < 3; ++k) EXPECT_EQ(palette_rgb[i][k], expected_palette[i][k]) << "palette entry " << i;
  for (int i = 0; i < 13; ++i)
    EXPECT_EQ(picture_mismatch(&tile_pixels[i][0][0], expected_tile(i), 16), "") << "tile " << i;
  EXPECT_EQ(picture_mismatch(&icon_pixels[0][0], expected_icon(), 32), "") << "icon";
}

TEST(TileData, TileIndicesAreThoseOfTileChoice) {
  // The named tiles of ui/common/tile_choice.h show the pictures they are named for.
  EXPECT_EQ(TILE_COUNT, 13);
  EXPECT_EQ(tile_pixels[TILE_HIDDEN][0][0], WHITE);     // raised: light top-left edge
  EXPECT_EQ(tile_pixels[TILE_FLAG][3][4], RED);         // flag cloth
  EXPECT_EQ(tile_pixels[TILE_MINE][7][7], BLACK);       // mine centre
  EXPECT_EQ(tile_pixels[TILE_MINE][0][0], LIGHT_GREY);  // on the opened background
  EXPECT_EQ(tile_pixels[TILE_EXPLODED][0][0], RED);     // on red
  EXPECT_EQ(tile_pixels[TILE_EXPLODED][7][7], BLACK);
}
