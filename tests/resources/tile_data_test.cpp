// The pixels compiled in from resources/pictures.txt (resources/tile_data.h) against the expected pictures.
#include <gtest/gtest.h>

#include <cstring>

#include "expected_pictures.h"
#include "resources/tile_data.h"
#include "ui/common/tile_choice.h"

namespace {

TilePicture compiled_tile(int index) {
  TilePicture t;
  std::memcpy(t.data(), tile_pixels[index], sizeof tile_pixels[index]);
  return t;
}

const char* const kTileNames[13] = {"blank", "digit 1", "digit 2", "digit 3", "digit 4", "digit 5", "digit 6",
                                    "digit 7", "digit 8", "flag", "raised", "mine", "exploded mine"};

}  // namespace

TEST(TileData, PaletteIsTheStandardSixteenColoursInOrder) {
  for (int i = 0; i < 16; ++i)
    for (int k = 0; k < 3; ++k) EXPECT_EQ(palette_rgb[i][k], expected_palette[i][k]) << "palette entry " << i;
}

TEST(TileData, EveryTileMatchesThePart) {
  for (int i = 0; i < 13; ++i) {
    const TilePicture expected = expected_tile(i);
    const TilePicture actual = compiled_tile(i);
    EXPECT_EQ(actual, expected) << "tile " << i << " (" << kTileNames[i] << ")\n"
                                << side_by_side(&actual[0][0], &expected[0][0], 16);
  }
}

TEST(TileData, IconMatchesThePart) {
  const IconPicture expected = expected_icon();
  IconPicture actual;
  std::memcpy(actual.data(), icon_pixels, sizeof icon_pixels);
  EXPECT_EQ(actual, expected) << side_by_side(&actual[0][0], &expected[0][0], 32);
}

TEST(TileData, TileIndicesAreThoseOfTileChoice) {
  // The named tiles of ui/common/tile_choice.h show the pictures they are named for.
  EXPECT_EQ(TILE_COUNT, 13);
  EXPECT_EQ(tile_pixels[TILE_HIDDEN][0][0], WHITE);       // raised: light top-left edge
  EXPECT_EQ(tile_pixels[TILE_FLAG][3][4], RED);           // flag cloth
  EXPECT_EQ(tile_pixels[TILE_MINE][7][7], BLACK);         // mine centre
  EXPECT_EQ(tile_pixels[TILE_MINE][0][0], LIGHT_GREY);    // on the opened background
  EXPECT_EQ(tile_pixels[TILE_EXPLODED][0][0], RED);       // on red
  EXPECT_EQ(tile_pixels[TILE_EXPLODED][7][7], BLACK);
}

TEST(TileData, OpenedBackgroundHasItsDottedGridLine) {
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) {
      const bool dot = (c == 15 && r % 2 == 1) || (r == 15 && c % 2 == 1);
      EXPECT_EQ(tile_pixels[0][r][c], dot ? BLACK : LIGHT_GREY) << "row " << r << " column " << c;
    }
  // The dots sit where the next cell's pixel column 0 and row 0 meet them: 15 black pixels in all.
  int black = 0;
  for (const auto& row : tile_pixels[0])
    for (uint8_t v : row) black += v == BLACK;
  EXPECT_EQ(black, 15);
}

TEST(TileData, DigitsAreDrawnOnlyInTheirBoxInTheirOwnColour) {
  for (int d = 1; d <= 8; ++d) {
    int digit_pixels = 0;
    for (int r = 0; r < 16; ++r)
      for (int c = 0; c < 16; ++c) {
        const bool in_box = r >= 3 && r <= 11 && c >= 4 && c <= 10;
        const uint8_t v = tile_pixels[d][r][c];
        if (!in_box) {
          EXPECT_EQ(v, tile_pixels[0][r][c]) << "digit " << d << " outside its box at row " << r << " column " << c;
        } else if (v != LIGHT_GREY) {
          EXPECT_EQ(v, expected_digit_colour[d]) << "digit " << d << " at row " << r << " column " << c;
          ++digit_pixels;
        }
      }
    EXPECT_GT(digit_pixels, 15) << "digit " << d;
    // Every digit touches the top and the bottom row of its box (rows 3 and 11).
    bool top = false, bottom = false;
    for (int c = 4; c <= 10; ++c) {
      top |= tile_pixels[d][3][c] != LIGHT_GREY;
      bottom |= tile_pixels[d][11][c] != LIGHT_GREY;
    }
    EXPECT_TRUE(top && bottom) << "digit " << d;
  }
}

TEST(TileData, DigitStrokesAreTwoPixelsWide) {
  // The 4's right-hand stroke: columns 9 and 10 from row 3 to row 11; its left-hand one: columns 4 and 5 from
  // row 3 to row 7; its bar: row 7 from column 4 to 10.
  for (int r = 3; r <= 11; ++r) {
    EXPECT_EQ(tile_pixels[4][r][9], DARK_BLUE) << "row " << r;
    EXPECT_EQ(tile_pixels[4][r][10], DARK_BLUE) << "row " << r;
    EXPECT_EQ(tile_pixels[4][r][8], r == 7 ? DARK_BLUE : LIGHT_GREY) << "row " << r;
    const uint8_t left = r <= 7 ? DARK_BLUE : LIGHT_GREY;
    EXPECT_EQ(tile_pixels[4][r][4], left) << "row " << r;
    EXPECT_EQ(tile_pixels[4][r][5], left) << "row " << r;
  }
  for (int c = 4; c <= 10; ++c) EXPECT_EQ(tile_pixels[4][7][c], DARK_BLUE) << "column " << c;
  // The 1's stem: columns 7 and 8 from row 3 to row 11.
  for (int r = 3; r <= 11; ++r) {
    EXPECT_EQ(tile_pixels[1][r][7], BLUE) << "row " << r;
    EXPECT_EQ(tile_pixels[1][r][8], BLUE) << "row " << r;
  }
}

TEST(TileData, RaisedCellHasALightEdgeAndATwoPixelShadow) {
  const auto& t = tile_pixels[TILE_HIDDEN];
  for (int i = 0; i <= 14; ++i) {
    EXPECT_EQ(t[0][i], WHITE) << "top edge, column " << i;
    EXPECT_EQ(t[i][0], WHITE) << "left edge, row " << i;
  }
  EXPECT_EQ(t[0][15], DARK_GREY);
  EXPECT_EQ(t[15][0], DARK_GREY);
  for (int i = 1; i <= 15; ++i) {
    EXPECT_EQ(t[i][15], BLACK) << "outer shadow, row " << i;
    EXPECT_EQ(t[15][i], BLACK) << "outer shadow, column " << i;
  }
  for (int i = 1; i <= 14; ++i) {
    EXPECT_EQ(t[i][14], DARK_GREY) << "inner shadow, row " << i;
    EXPECT_EQ(t[14][i], DARK_GREY) << "inner shadow, column " << i;
  }
  for (int r = 1; r <= 13; ++r)
    for (int c = 1; c <= 13; ++c) EXPECT_EQ(t[r][c], LIGHT_GREY) << "face, row " << r << " column " << c;
}

TEST(TileData, FlagIsTheRaisedCellWithTheFlagOnIt) {
  const TilePicture flag = expected_flag_only();
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) {
      if (flag[r][c] == 255) {
        EXPECT_EQ(tile_pixels[TILE_FLAG][r][c], tile_pixels[TILE_HIDDEN][r][c]) << "row " << r << " column " << c;
      } else {
        EXPECT_EQ(tile_pixels[TILE_FLAG][r][c], flag[r][c]) << "row " << r << " column " << c;
      }
    }
  // Cloth: red on the left, dark red on the right, one pixel less red per row.
  for (int r = 3; r <= 6; ++r) {
    int red = 0, dark_red = 0;
    for (int c = 0; c < 16; ++c) {
      red += tile_pixels[TILE_FLAG][r][c] == RED;
      dark_red += tile_pixels[TILE_FLAG][r][c] == DARK_RED;
    }
    EXPECT_EQ(red, 7 - r) << "row " << r;
    EXPECT_EQ(dark_red, r - 2) << "row " << r;
  }
}

TEST(TileData, MineIsCentredOnPixelSevenSeven) {
  // Apart from its one white highlight, the mine is symmetric about row 7 and about column 7.
  auto mine = [](int r, int c) {
    const uint8_t v = tile_pixels[TILE_MINE][r][c];
    return v == WHITE ? uint8_t{BLACK} : v;
  };
  for (int r = 2; r <= 12; ++r)
    for (int c = 2; c <= 12; ++c) {
      EXPECT_EQ(mine(r, c), mine(14 - r, c)) << "row " << r << " column " << c;
      EXPECT_EQ(mine(r, c), mine(r, 14 - c)) << "row " << r << " column " << c;
    }
  // It is drawn on the opened background and stays inside rows and columns 2 to 12.
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      if (r < 2 || r > 12 || c < 2 || c > 12) {
        EXPECT_EQ(tile_pixels[TILE_MINE][r][c], tile_pixels[0][r][c]) << "row " << r << " column " << c;
      }
  int white = 0;
  for (const auto& row : tile_pixels[TILE_MINE])
    for (uint8_t v : row) white += v == WHITE;
  EXPECT_EQ(white, 1);
  EXPECT_EQ(tile_pixels[TILE_MINE][6][6], WHITE);
}

TEST(TileData, ExplodedMineIsTheMineOnRed) {
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) {
      const uint8_t mine = tile_pixels[TILE_MINE][r][c];
      EXPECT_EQ(tile_pixels[TILE_EXPLODED][r][c], mine == LIGHT_GREY ? uint8_t{RED} : mine) << "row " << r << " column " << c;
      EXPECT_NE(tile_pixels[TILE_EXPLODED][r][c], LIGHT_GREY);
    }
  EXPECT_EQ(tile_pixels[TILE_EXPLODED][15][15], BLACK);  // the dotted line is unchanged
  EXPECT_EQ(tile_pixels[TILE_EXPLODED][14][15], RED);
}

TEST(TileData, IconQuartersCarryTheTilesMineAndFlag) {
  // Top right: tile 11's mine pixels moved by one row down and 16 columns right (centre (7, 7) to (8, 23)).
  for (int r = 2; r <= 12; ++r)
    for (int c = 2; c <= 12; ++c) {
      const uint8_t v = tile_pixels[TILE_MINE][r][c];
      EXPECT_EQ(icon_pixels[r + 1][c + 16], v) << "mine row " << r << " column " << c;  // light grey on light grey
    }
  // Bottom left: tile 9's flag (where it differs from the raised cell) moved 16 rows down and 1 column right.
  int flag_pixels = 0;
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      if (tile_pixels[TILE_FLAG][r][c] != tile_pixels[TILE_HIDDEN][r][c]) {
        EXPECT_EQ(icon_pixels[r + 16][c + 1], tile_pixels[TILE_FLAG][r][c]) << "flag row " << r << " column " << c;
        ++flag_pixels;
      }
  EXPECT_EQ(flag_pixels, 4 * 5 + 5 + 2 + 7);
  // The rings and the cross.
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(icon_pixels[0][i], WHITE);
    EXPECT_EQ(icon_pixels[31][i], WHITE);
    EXPECT_EQ(icon_pixels[i][0], WHITE);
    EXPECT_EQ(icon_pixels[i][31], WHITE);
    if (i >= 1 && i <= 30) {
      EXPECT_EQ(icon_pixels[1][i], LIGHT_GREY);
      EXPECT_EQ(icon_pixels[30][i], LIGHT_GREY);
      EXPECT_EQ(icon_pixels[i][1], LIGHT_GREY);
      EXPECT_EQ(icon_pixels[i][30], LIGHT_GREY);
    }
    if (i >= 2 && i <= 29) {
      EXPECT_EQ(icon_pixels[16][i], DARK_GREY) << "cross row 16, column " << i;
      EXPECT_EQ(icon_pixels[i][15], DARK_GREY) << "cross column 15, row " << i;
    }
  }
  // Plain quarters: top left and bottom right all white.
  for (int r = 2; r <= 15; ++r)
    for (int c = 2; c <= 14; ++c) EXPECT_EQ(icon_pixels[r][c], WHITE);
  for (int r = 17; r <= 29; ++r)
    for (int c = 16; c <= 29; ++c) EXPECT_EQ(icon_pixels[r][c], WHITE);
}
