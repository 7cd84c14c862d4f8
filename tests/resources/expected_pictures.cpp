#include "expected_pictures.h"

const uint8_t expected_palette[16][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
};

namespace {

const uint8_t kDigitColour[9] = {BLACK, BLUE, DARK_GREEN, RED, DARK_BLUE, DARK_RED, TEAL, PURPLE, BLACK};

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

// The mine table: rows 2 to 12, columns 2 to 12 of tile 11; '#' black, '+' dark grey, 'o' white.
const char* const kMineRows[11] = {
    ".....+.....", ".....#.....", "..#.+#+.#..", "...#####...", "..+#o###+..", "+#########+",
    "..+#####+..", "...#####...", "..#.+#+.#..", ".....#.....", ".....+.....",
};

// A size-by-size picture, written to through (row, column).
struct Canvas {
  int size;
  Picture pixels;
  uint8_t& operator()(int r, int c) { return pixels[static_cast<size_t>(r * size + c)]; }
};

// Light grey everywhere, except black at the odd rows 1, 3, ..., 15 of column 15 and at the odd columns
// 1, 3, ..., 15 of row 15.
Canvas opened() {
  Canvas t{16, Picture(256, LIGHT_GREY)};
  for (int i = 1; i < 16; i += 2) t(i, 15) = t(15, i) = BLACK;
  return t;
}

// Row 0 is white in columns 0 to 14 and dark grey in column 15; rows 1 to 13 are white in column 0, light grey
// in columns 1 to 13, dark grey in column 14 and black in column 15; row 14 is white in column 0, dark grey in
// columns 1 to 14 and black in column 15; row 15 is dark grey in column 0 and black in columns 1 to 15.
Canvas raised() {
  Canvas t{16, Picture(256)};
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      t(r, c) = r == 0    ? (c <= 14 ? WHITE : DARK_GREY)
                : r <= 13 ? (c == 0 ? WHITE : c <= 13 ? LIGHT_GREY : c == 14 ? DARK_GREY : BLACK)
                : r == 14 ? (c == 0 ? WHITE : c <= 14 ? DARK_GREY : BLACK)
                          : (c == 0 ? DARK_GREY : BLACK);
  return t;
}

// The mine of tile 11, moved by (dr, dc).
void put_mine(Canvas& p, int dr, int dc) {
  for (int r = 0; r < 11; ++r)
    for (int c = 0; c < 11; ++c)
      if (const char ch = kMineRows[r][c]; ch != '.')
        p(2 + r + dr, 2 + c + dc) = ch == '#' ? BLACK : ch == '+' ? DARK_GREY : WHITE;
}

// The flag of tile 9, moved by (dr, dc). Cloth in rows 3 to 6: red in columns 4 to 7, 4 to 6, 4 to 5 and 4 alone,
// and dark red in columns 8, 7 to 8, 6 to 8 and 5 to 8, row by row. Pole: black in column 8, rows 7 to 11, with
// dark grey beside it in columns 7 and 9 of row 11. Foot: row 12 black in columns 6 to 10, dark grey in 5 and 11.
void put_flag(Canvas& p, int dr, int dc) {
  for (int k = 0; k < 4; ++k)
    for (int c = 4; c <= 8; ++c) p(3 + k + dr, c + dc) = c <= 7 - k ? RED : DARK_RED;
  for (int r = 7; r <= 11; ++r) p(r + dr, 8 + dc) = BLACK;
  p(11 + dr, 7 + dc) = p(11 + dr, 9 + dc) = DARK_GREY;
  for (int c = 6; c <= 10; ++c) p(12 + dr, c + dc) = BLACK;
  p(12 + dr, 5 + dc) = p(12 + dr, 11 + dc) = DARK_GREY;
}

}  // namespace

Picture expected_tile(int index) {
  Canvas t = index == 9 || index == 10 ? raised() : opened();
  if (index >= 1 && index <= 8)
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 7; ++c)
        if (kDigitRows[index][r][c] == '#') t(3 + r, 4 + c) = kDigitColour[index];
  if (index == 9) put_flag(t, 0, 0);
  if (index >= 11) put_mine(t, 0, 0);
  if (index == 12)  // tile 11 with every light grey pixel turned red
    for (uint8_t& v : t.pixels)
      if (v == LIGHT_GREY) v = RED;
  return t.pixels;
}

// Rows 0 and 31 and columns 0 and 31 are white; rows 1 and 30 and columns 1 and 30, inside that, are light grey.
// Inside these two rings a dark grey cross, row 16 from column 2 to 29 and column 15 from row 2 to 29, divides four
// squares: top left white; top right light grey with the mine of tile 11 moved so that its centre is pixel (row 8,
// column 23); bottom left light grey with the flag of tile 9 moved 16 rows down and 1 column right; bottom right
// white.
Picture expected_icon() {
  Canvas icon{32, Picture(1024)};
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 32; ++c)
      icon(r, c) = r == 0 || r == 31 || c == 0 || c == 31   ? WHITE
                   : r == 1 || r == 30 || c == 1 || c == 30 ? LIGHT_GREY
                   : r == 16 || c == 15                     ? DARK_GREY
                   : (r < 16) == (c < 15)                   ? WHITE
                                                            : LIGHT_GREY;
  put_mine(icon, 1, 16);  // its centre (7, 7) in tile 11 to (8, 23)
  put_flag(icon, 16, 1);
  return icon.pixels;
}

std::string picture_mismatch(const uint8_t* actual, const Picture& expected, int size) {
  if (Picture(actual, actual + expected.size()) == expected) return "";
  static const char hex[] = "0123456789ABCDEF";
  std::string out = "\nactual, and beside it expected where it differs:";
  for (size_t r = 0, n = static_cast<size_t>(size); r < n; ++r) {
    std::string a, e;
    for (size_t i = r * n; i < (r + 1) * n; ++i) {
      a += hex[actual[i] & 15];
      e += actual[i] == expected[i] ? '.' : hex[expected[i] & 15];
    }
    out += "\n" + a + "   " + e;
  }
  return out;
}
