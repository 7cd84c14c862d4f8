#include "expected_pictures.h"

#include <sstream>

const uint8_t expected_palette[16][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
};

const uint8_t expected_digit_colour[9] = {BLACK, BLUE, DARK_GREEN, RED, DARK_BLUE, DARK_RED, TEAL, PURPLE, BLACK};

namespace {

// The digit table: rows 3 to 11, columns 4 to 10; '#' the digit's colour.
const char* const kDigitRows[9][9] = {
    {},
    {"...##..", "..###..", ".####..", "...##..", "...##..", "...##..", "...##..", "...##..", ".######"},
    {".#####.", "#....##", ".....##", "....##.", "...##..", "..##...", ".##....", "##.....", "#######"},
    {".#####.", ".....##", ".....##", ".#####.", ".....##", ".....##", ".....##", ".....##", "######."},
    {"##...##", "##...##", "##...##", "##...##", "#######", ".....##", ".....##", ".....##", ".....##"},
    {"#######", "##.....", "##.....", "######.", ".....##", ".....##", ".....##", "##...##", "######."},
    {".#####.", "##...##", "##.....", "######.", "##...##", "##...##", "##...##", "##...##", ".#####."},
    {"#######", "##...##", ".....##", "....##.", "....##.", "...##..", "...##..", "..##...", "..##..."},
    {".#####.", "##...##", "##...##", ".#####.", "##...##", "##...##", "##...##", "##...##", ".#####."},
};

// The mine table: rows 2 to 12, columns 2 to 12; '#' black, '+' dark grey, 'o' white.
const char* const kMineRows[11] = {
    ".....+.....", ".....#.....", "..#.+#+.#..", "...#####...", "..+#o###+..", "+#########+",
    "..+#####+..", "...#####...", "..#.+#+.#..", ".....#.....", ".....+.....",
};

TilePicture filled(uint8_t colour) {
  TilePicture t;
  for (auto& row : t) row.fill(colour);
  return t;
}

// "light grey everywhere, except black at the odd rows 1, 3, ..., 15 of column 15 and at the odd columns
// 1, 3, ..., 15 of row 15"
TilePicture opened() {
  TilePicture t = filled(LIGHT_GREY);
  for (int i = 1; i < 16; i += 2) {
    t[i][15] = BLACK;
    t[15][i] = BLACK;
  }
  return t;
}

// "row 0 is white in columns 0 to 14 and dark grey in column 15; rows 1 to 13 are white in column 0, light grey
// in columns 1 to 13, dark grey in column 14 and black in column 15; row 14 is white in column 0, dark grey in
// columns 1 to 14 and black in column 15; row 15 is dark grey in column 0 and black in columns 1 to 15."
TilePicture raised() {
  TilePicture t;
  for (int c = 0; c < 16; ++c) t[0][c] = c <= 14 ? WHITE : DARK_GREY;
  for (int r = 1; r <= 13; ++r)
    for (int c = 0; c < 16; ++c) t[r][c] = c == 0 ? WHITE : c <= 13 ? LIGHT_GREY : c == 14 ? DARK_GREY : BLACK;
  for (int c = 0; c < 16; ++c) t[14][c] = c == 0 ? WHITE : c <= 14 ? DARK_GREY : BLACK;
  for (int c = 0; c < 16; ++c) t[15][c] = c == 0 ? DARK_GREY : BLACK;
  return t;
}

void put_mine(TilePicture& t) {
  for (int r = 0; r < 11; ++r)
    for (int c = 0; c < 11; ++c) {
      const char ch = kMineRows[r][c];
      if (ch != '.') t[2 + r][2 + c] = ch == '#' ? BLACK : ch == '+' ? DARK_GREY : WHITE;
    }
}

}  // namespace

// "Cloth in rows 3 to 6: red in columns 4 to 7, 4 to 6, 4 to 5 and 4 alone, and dark red in columns 8, 7 to 8,
// 6 to 8 and 5 to 8, row by row. Pole: black in column 8, rows 7 to 11, with dark grey beside it in columns 7 and
// 9 of row 11. Foot: row 12 black in columns 6 to 10, dark grey in columns 5 and 11."
TilePicture expected_flag_only() {
  TilePicture t = filled(255);
  const int red_last[4] = {7, 6, 5, 4};
  for (int k = 0; k < 4; ++k) {
    for (int c = 4; c <= red_last[k]; ++c) t[3 + k][c] = RED;
    for (int c = red_last[k] + 1; c <= 8; ++c) t[3 + k][c] = DARK_RED;
  }
  for (int r = 7; r <= 11; ++r) t[r][8] = BLACK;
  t[11][7] = t[11][9] = DARK_GREY;
  for (int c = 6; c <= 10; ++c) t[12][c] = BLACK;
  t[12][5] = t[12][11] = DARK_GREY;
  return t;
}

TilePicture expected_tile(int index) {
  if (index == 0) return opened();
  if (index >= 1 && index <= 8) {
    TilePicture t = opened();
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 7; ++c)
        if (kDigitRows[index][r][c] == '#') t[3 + r][4 + c] = expected_digit_colour[index];
    return t;
  }
  if (index == 9) {
    TilePicture t = raised();
    const TilePicture flag = expected_flag_only();
    for (int r = 0; r < 16; ++r)
      for (int c = 0; c < 16; ++c)
        if (flag[r][c] != 255) t[r][c] = flag[r][c];
    return t;
  }
  if (index == 10) return raised();
  TilePicture t = opened();
  put_mine(t);
  if (index == 12)  // "tile 11 with every light grey pixel turned red"
    for (auto& row : t)
      for (auto& v : row)
        if (v == LIGHT_GREY) v = RED;
  return t;
}

// "Rows 0 and 31 and columns 0 and 31 are white; rows 1 and 30 and columns 1 and 30, inside that, are light grey.
// Inside these two rings a dark grey cross, row 16 from column 2 to 29 and column 15 from row 2 to 29, divides four
// squares: top left white; top right light grey with the mine of tile 11 moved so that its centre is pixel (row 8,
// column 23); bottom left light grey with the flag of tile 9 moved 16 rows down and 1 column right; bottom right
// white."
IconPicture expected_icon() {
  IconPicture icon;
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 32; ++c) {
      uint8_t v;
      if (r == 0 || r == 31 || c == 0 || c == 31) v = WHITE;
      else if (r == 1 || r == 30 || c == 1 || c == 30) v = LIGHT_GREY;
      else if (r == 16 || c == 15) v = DARK_GREY;
      else if (r < 16) v = c < 15 ? WHITE : LIGHT_GREY;
      else v = c < 15 ? LIGHT_GREY : WHITE;
      icon[r][c] = v;
    }
  // The mine's centre is (7, 7) in tile 11: move it by (+1, +16).
  for (int r = 0; r < 11; ++r)
    for (int c = 0; c < 11; ++c) {
      const char ch = kMineRows[r][c];
      if (ch != '.') icon[8 - 5 + r][23 - 5 + c] = ch == '#' ? BLACK : ch == '+' ? DARK_GREY : WHITE;
    }
  const TilePicture flag = expected_flag_only();
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      if (flag[r][c] != 255) icon[r + 16][c + 1] = flag[r][c];
  return icon;
}

std::string side_by_side(const uint8_t* actual, const uint8_t* expected, int size) {
  static const char hex[] = "0123456789ABCDEF";
  std::ostringstream out;
  out << "actual" << std::string(static_cast<size_t>(size) - 6 + 3, ' ') << "expected\n";
  for (int r = 0; r < size; ++r) {
    std::string marks;
    for (int c = 0; c < size; ++c) out << hex[actual[r * size + c] & 15];
    out << "   ";
    for (int c = 0; c < size; ++c) {
      out << hex[expected[r * size + c] & 15];
      marks += actual[r * size + c] == expected[r * size + c] ? ' ' : '^';
    }
    out << "   " << marks << "  row " << r << "\n";
  }
  return out.str();
}
