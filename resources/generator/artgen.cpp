// artgen: reads resources/pictures.txt (the one source of the pixel art) and writes, into an output folder,
//   tile_00.bmp ... tile_12.bmp  the 13 tiles: 16 by 16, 4 bits per pixel, uncompressed, 16-entry palette,
//                                rows bottom first (bitmap resources 1 to 13 of orvanta.rc)
//   orvanta.ico                  the icon: one 32 by 32, 4-bit image, all-clear mask (icon group 1)
//   orvanta_N.png                the same icon as a PNG, N by N pixels, for each N given: a whole multiple
//                                of 32, each pixel of the art an exact square (the desktop's icon theme)
//   tile_data.cpp                tile_pixels, icon_pixels and palette_rgb (resources/tile_data.h)
//   menu.rc                      the main menu of orvanta.rc, from the menu table (ui/common/menu_table.h)
//
// Usage: artgen PICTURES_TXT OUTPUT_DIR [ICON_SIZE]...
// It runs on the build machine, also in a cross build, so it uses nothing but the standard library and the
// menu table, which is data alone.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "png_writer.h"
#include "ui/common/menu_table.h"

namespace {

constexpr int kTransparent = -1;
constexpr int kTileCount = 13;
constexpr int kTileSize = 16;
constexpr int kIconSize = 32;

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<int> pixels;  // row-major, row 0 on top; palette index, or kTransparent in an overlay
  int at(int row, int col) const { return pixels[static_cast<size_t>(row * width + col)]; }
  int& at(int row, int col) { return pixels[static_cast<size_t>(row * width + col)]; }
};

struct PaletteEntry {
  char symbol;
  uint8_t rgb[3];
};

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Parser {
 public:
  explicit Parser(const std::string& path) : path_(path) {
    std::ifstream in(path);
    if (!in) throw Error("cannot open " + path);
    std::string line;
    while (std::getline(in, line)) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
      lines_.push_back(line);
    }
  }

  void parse() {
    while (next_statement()) {
      std::istringstream words(lines_[current_]);
      std::string keyword;
      words >> keyword;
      if (keyword == "palette") parse_palette();
      else if (keyword == "picture") parse_picture(words, false);
      else if (keyword == "overlay") parse_picture(words, true);
      else if (keyword == "glyphs") parse_glyphs(words);
      else if (keyword == "tile" || keyword == "icon") parse_composition();
      else fail("unknown statement '" + keyword + "'");
    }
    if (palette_.size() != 16) fail_at_end("the palette must have 16 entries");
    for (int i = 0; i < kTileCount; ++i)
      if (!tiles_[static_cast<size_t>(i)].width) fail_at_end("tile " + std::to_string(i) + " is not defined");
    if (!icon_.width) fail_at_end("the icon is not defined");
  }

  const std::vector<PaletteEntry>& palette() const { return palette_; }
  const std::array<Picture, kTileCount>& tiles() const { return tiles_; }
  const Picture& icon() const { return icon_; }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw Error(path_ + ":" + std::to_string(current_ + 1) + ": " + what);
  }
  [[noreturn]] void fail_at_end(const std::string& what) const { throw Error(path_ + ": " + what); }

  static bool is_comment_or_blank(const std::string& line) { return line.empty() || line[0] == '#'; }

  // Moves current_ to the next line that is neither blank nor a comment. False at the end of the file.
  bool next_statement() {
    ++current_;
    while (current_ < lines_.size() && is_comment_or_blank(lines_[current_])) ++current_;
    return current_ < lines_.size();
  }

  void parse_palette() {
    if (!palette_.empty()) fail("a second palette");
    for (;;) {
      if (!next_statement()) fail_at_end("palette without 'end'");
      std::istringstream words(lines_[current_]);
      std::string first;
      words >> first;
      if (first == "end") break;
      std::string symbol;
      unsigned r = 0, g = 0, b = 0;
      words >> symbol >> std::hex >> r >> g >> b;
      if (!words || symbol.size() != 1 || first != std::to_string(palette_.size()) || r > 255 || g > 255 || b > 255)
        fail("expected: index (in order from 0), one character, red green blue in hex, name");
      if (symbol_index(symbol[0]) != kTransparent) fail("character '" + symbol + "' used twice in the palette");
      palette_.push_back({symbol[0], {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)}});
    }
  }

  int symbol_index(char c) const {
    for (size_t i = 0; i < palette_.size(); ++i)
      if (palette_[i].symbol == c) return static_cast<int>(i);
    return kTransparent;
  }

  // The next row of a picture: the text between the two bars, which must be width characters long
  // (segments * width plus the bars between segments for glyphs).
  std::string next_row(size_t expected_length) {
    if (!next_statement()) fail_at_end("the file ends inside a picture");
    const std::string& line = lines_[current_];
    if (line.size() < 2 || line.front() != '|' || line.back() != '|') fail("a picture row is written between two bars");
    std::string row = line.substr(1, line.size() - 2);
    if (row.size() != expected_length)
      fail("row of " + std::to_string(row.size()) + " characters, expected " + std::to_string(expected_length));
    return row;
  }

  static int dimension(std::istringstream& words) {
    int n = 0;
    words >> n;
    return n;
  }

  void define(const std::string& name, Picture picture) {
    if (pictures_.count(name)) fail("'" + name + "' is defined twice");
    pictures_[name] = std::move(picture);
  }

  // picture NAME WIDTH HEIGHT (every character a palette colour), or
  // overlay NAME WIDTH HEIGHT (a full stop is transparent).
  void parse_picture(std::istringstream& words, bool overlay) {
    if (palette_.empty()) fail("the palette comes first");
    std::string name;
    words >> name;
    Picture p;
    p.width = dimension(words);
    p.height = dimension(words);
    if (name.empty() || p.width <= 0 || p.height <= 0) fail("expected: NAME WIDTH HEIGHT");
    for (int r = 0; r < p.height; ++r) {
      const std::string row = next_row(static_cast<size_t>(p.width));
      for (char c : row) {
        if (overlay && c == '.') {
          p.pixels.push_back(kTransparent);
          continue;
        }
        const int index = symbol_index(c);
        if (index == kTransparent) fail(std::string("'") + c + "' is not a palette character");
        p.pixels.push_back(index);
      }
    }
    define(name, std::move(p));
  }

  // glyphs NAME COUNT WIDTH HEIGHT COLOUR... : COUNT overlays NAME1..NAMECOUNT side by side, separated by bars;
  // a hash sign is the glyph's colour, a full stop is transparent.
  void parse_glyphs(std::istringstream& words) {
    if (palette_.empty()) fail("the palette comes first");
    std::string name;
    words >> name;
    const int count = dimension(words), width = dimension(words), height = dimension(words);
    if (name.empty() || count <= 0 || width <= 0 || height <= 0) fail("expected: NAME COUNT WIDTH HEIGHT COLOURS");
    std::vector<int> colours;
    std::string symbol;
    while (words >> symbol) {
      if (symbol.size() != 1 || symbol_index(symbol[0]) == kTransparent) fail("'" + symbol + "' is not a palette character");
      colours.push_back(symbol_index(symbol[0]));
    }
    if (static_cast<int>(colours.size()) != count) fail("one colour per glyph");
    std::vector<Picture> glyphs(static_cast<size_t>(count));
    for (auto& g : glyphs) {
      g.width = width;
      g.height = height;
    }
    for (int r = 0; r < height; ++r) {
      const std::string row = next_row(static_cast<size_t>(count * width + count - 1));
      for (int g = 0; g < count; ++g) {
        for (int c = 0; c < width; ++c) {
          const char ch = row[static_cast<size_t>(g * (width + 1) + c)];
          if (ch == '#') glyphs[static_cast<size_t>(g)].pixels.push_back(colours[static_cast<size_t>(g)]);
          else if (ch == '.') glyphs[static_cast<size_t>(g)].pixels.push_back(kTransparent);
          else fail("in glyphs only '#' and '.' are used");
        }
        if (g + 1 < count && row[static_cast<size_t>(g * (width + 1) + width)] != '|') fail("glyphs are separated by bars");
      }
    }
    for (int g = 0; g < count; ++g) define(name + std::to_string(g + 1), std::move(glyphs[static_cast<size_t>(g)]));
  }

  const Picture& lookup(const std::string& name) {
    auto it = pictures_.find(name);
    if (it == pictures_.end()) fail("'" + name + "' is not defined above");
    return it->second;
  }

  static bool is_opaque(const Picture& p) {
    for (int v : p.pixels)
      if (v == kTransparent) return false;
    return true;
  }

  // tile N = BASE [+ OVERLAY at ROW COL | + OVERLAY centred ROW COL]... [recolour A B]...
  // icon = ...
  void parse_composition() {
    std::istringstream words(lines_[current_]);
    std::string keyword, equals, base_name;
    words >> keyword;
    int tile = -1;
    if (keyword == "tile") {
      if (!(words >> tile) || tile < 0 || tile >= kTileCount) fail("tile number 0 to 12 expected");
    }
    words >> equals >> base_name;
    if (equals != "=" || base_name.empty()) fail("expected: tile N = PICTURE ... or icon = PICTURE ...");
    Picture result = lookup(base_name);
    if (!is_opaque(result)) fail("'" + base_name + "' has transparent pixels: it cannot be the base");
    std::string word;
    while (words >> word) {
      if (word == "+") {
        std::string name, how;
        int row = 0, col = 0;
        if (!(words >> name >> how >> row >> col) || (how != "at" && how != "centred"))
          fail("expected: + OVERLAY at ROW COLUMN, or + OVERLAY centred ROW COLUMN");
        const Picture& overlay = lookup(name);
        if (how == "centred") {
          if (overlay.width % 2 == 0 || overlay.height % 2 == 0) fail("'" + name + "' has no middle pixel");
          row -= overlay.height / 2;
          col -= overlay.width / 2;
        }
        if (row < 0 || col < 0 || row + overlay.height > result.height || col + overlay.width > result.width)
          fail("'" + name + "' does not fit there");
        for (int r = 0; r < overlay.height; ++r)
          for (int c = 0; c < overlay.width; ++c)
            if (overlay.at(r, c) != kTransparent) result.at(row + r, col + c) = overlay.at(r, c);
      } else if (word == "recolour") {
        std::string from, to;
        if (!(words >> from >> to) || from.size() != 1 || to.size() != 1 || symbol_index(from[0]) == kTransparent ||
            symbol_index(to[0]) == kTransparent)
          fail("expected: recolour FROM TO, two palette characters");
        for (int& v : result.pixels)
          if (v == symbol_index(from[0])) v = symbol_index(to[0]);
      } else {
        fail("unexpected '" + word + "'");
      }
    }
    if (keyword == "tile") {
      if (result.width != kTileSize || result.height != kTileSize) fail("a tile is 16 by 16");
      if (tiles_[static_cast<size_t>(tile)].width) fail("tile " + std::to_string(tile) + " is defined twice");
      tiles_[static_cast<size_t>(tile)] = result;
      define("tile" + std::to_string(tile), std::move(result));
    } else {
      if (result.width != kIconSize || result.height != kIconSize) fail("the icon is 32 by 32");
      if (icon_.width) fail("the icon is defined twice");
      icon_ = std::move(result);
    }
  }

  std::string path_;
  std::vector<std::string> lines_;
  size_t current_ = static_cast<size_t>(-1);
  std::vector<PaletteEntry> palette_;
  std::map<std::string, Picture> pictures_;
  std::array<Picture, kTileCount> tiles_;
  Picture icon_;
};

// --- Little-endian output -------------------------------------------------------------------------------------

struct Bytes {
  std::vector<uint8_t> data;
  void u8(unsigned v) { data.push_back(static_cast<uint8_t>(v)); }
  void u16(unsigned v) {
    u8(v & 0xFF);
    u8((v >> 8) & 0xFF);
  }
  void u32(uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
};

void write_file(const std::string& path, const std::vector<uint8_t>& data) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!f) throw Error("cannot write " + path);
}

void write_text(const std::string& path, const std::string& text) {
  write_file(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// BITMAPINFOHEADER (40 bytes), the 16-entry palette (blue, green, red, 0) and the 4-bit rows, bottom row first.
// For an icon image the height is doubled (colour rows, then the mask rows), which the caller appends.
void put_dib(Bytes& out, const Picture& p, const std::vector<PaletteEntry>& palette, bool icon) {
  const uint32_t row_bytes = static_cast<uint32_t>((p.width * 4 + 31) / 32 * 4);
  const uint32_t mask_row_bytes = static_cast<uint32_t>((p.width + 31) / 32 * 4);
  const uint32_t image_bytes = row_bytes * static_cast<uint32_t>(p.height) +
                               (icon ? mask_row_bytes * static_cast<uint32_t>(p.height) : 0);
  out.u32(40);                                                  // biSize
  out.u32(static_cast<uint32_t>(p.width));                      // biWidth
  out.u32(static_cast<uint32_t>(icon ? 2 * p.height : p.height));  // biHeight: positive, bottom-up
  out.u16(1);                                                   // biPlanes
  out.u16(4);                                                   // biBitCount
  out.u32(0);                                                   // biCompression: BI_RGB
  out.u32(image_bytes);                                         // biSizeImage
  out.u32(0);                                                   // biXPelsPerMeter
  out.u32(0);                                                   // biYPelsPerMeter
  out.u32(16);                                                  // biClrUsed
  out.u32(0);                                                   // biClrImportant: all
  for (const PaletteEntry& e : palette) {
    out.u8(e.rgb[2]);
    out.u8(e.rgb[1]);
    out.u8(e.rgb[0]);
    out.u8(0);
  }
  for (int r = p.height - 1; r >= 0; --r) {
    std::vector<uint8_t> row(row_bytes, 0);
    for (int c = 0; c < p.width; ++c)
      row[static_cast<size_t>(c / 2)] |= static_cast<uint8_t>(c % 2 == 0 ? p.at(r, c) << 4 : p.at(r, c));
    out.data.insert(out.data.end(), row.begin(), row.end());
  }
  if (icon) out.data.insert(out.data.end(), mask_row_bytes * static_cast<uint32_t>(p.height), 0);  // all clear
}

std::vector<uint8_t> bmp_file(const Picture& p, const std::vector<PaletteEntry>& palette) {
  Bytes dib;
  put_dib(dib, p, palette, false);
  Bytes out;
  const uint32_t header = 14, offset = header + 40 + 16 * 4;
  out.u8('B');
  out.u8('M');
  out.u32(header + static_cast<uint32_t>(dib.data.size()));  // bfSize
  out.u16(0);
  out.u16(0);
  out.u32(offset);  // bfOffBits
  out.data.insert(out.data.end(), dib.data.begin(), dib.data.end());
  return out.data;
}

std::vector<uint8_t> ico_file(const Picture& p, const std::vector<PaletteEntry>& palette) {
  Bytes image;
  put_dib(image, p, palette, true);
  Bytes out;
  out.u16(0);  // reserved
  out.u16(1);  // type: icon
  out.u16(1);  // one image
  out.u8(static_cast<unsigned>(p.width));
  out.u8(static_cast<unsigned>(p.height));
  out.u8(16);  // colours
  out.u8(0);   // reserved
  out.u16(1);  // planes
  out.u16(4);  // bits per pixel
  out.u32(static_cast<uint32_t>(image.data.size()));
  out.u32(6 + 16);  // offset of the image
  out.data.insert(out.data.end(), image.data.begin(), image.data.end());
  return out.data;
}

// Each pixel of p as a factor by factor square.
Picture scaled(const Picture& p, int factor) {
  Picture big;
  big.width = p.width * factor;
  big.height = p.height * factor;
  big.pixels.resize(static_cast<size_t>(big.width * big.height));
  for (int r = 0; r < big.height; ++r)
    for (int c = 0; c < big.width; ++c) big.at(r, c) = p.at(r / factor, c / factor);
  return big;
}

std::vector<uint8_t> rgb_of(const Picture& p, const std::vector<PaletteEntry>& palette) {
  std::vector<uint8_t> rgb;
  for (int v : p.pixels) rgb.insert(rgb.end(), palette[static_cast<size_t>(v)].rgb, palette[static_cast<size_t>(v)].rgb + 3);
  return rgb;
}

void put_rows(std::ostringstream& out, const Picture& p, const std::string& indent) {
  for (int r = 0; r < p.height; ++r) {
    out << indent << "{";
    for (int c = 0; c < p.width; ++c) {
      out << (c ? "," : "");
      if (p.at(r, c) < 10) out << ' ';
      out << p.at(r, c);
    }
    out << "},\n";
  }
}

std::string tile_data_cpp(const Parser& art) {
  std::ostringstream out;
  out << "// Generated by resources/generator/artgen from resources/pictures.txt. Do not edit: edit the pictures.\n"
         "#include \"resources/tile_data.h\"\n\n"
         "const uint8_t palette_rgb[16][3] = {\n";
  for (const PaletteEntry& e : art.palette())
    out << "    {0x" << std::hex << (e.rgb[0] >> 4) << (e.rgb[0] & 15) << ", 0x" << (e.rgb[1] >> 4) << (e.rgb[1] & 15)
        << ", 0x" << (e.rgb[2] >> 4) << (e.rgb[2] & 15) << std::dec << "},\n";
  out << "};\n\nconst uint8_t tile_pixels[13][16][16] = {\n";
  for (int t = 0; t < kTileCount; ++t) {
    out << "    {  // tile " << t << "\n";
    put_rows(out, art.tiles()[static_cast<size_t>(t)], "        ");
    out << "    },\n";
  }
  out << "};\n\nconst uint8_t icon_pixels[32][32] = {\n";
  put_rows(out, art.icon(), "    ");
  out << "};\n";
  return out.str();
}

// The main menu's resource statement, from the menu table that every front end
// follows. Every option starts on, so every check item starts checked.
std::string menu_rc() {
  std::ostringstream out;
  out << "/* Generated by resources/generator/artgen from ui/common/menu_table.h. Do not edit. */\n"
         "IDR_MAINMENU MENU\nBEGIN\n";
  bool open = false;
  for (const menu_row& row : MENU_ROWS) {
    if (row.beyond_classic)
      continue;
    if (row.kind == MENU_POPUP) {
      out << (open ? "    END\n" : "") << "    POPUP \"" << row.label << "\"\n    BEGIN\n";
      open = true;
    } else if (row.kind == MENU_SEPARATOR) {
      out << "        MENUITEM SEPARATOR\n";
    } else {
      out << "        MENUITEM \"" << row.label << "\", " << row.id << (row.kind == MENU_CHECK ? ", CHECKED" : "")
          << "\n";
    }
  }
  out << (open ? "    END\n" : "") << "END\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s PICTURES_TXT OUTPUT_DIR [ICON_SIZE]...\n", argv[0]);
    return 2;
  }
  try {
    std::vector<int> icon_sizes;
    for (int i = 3; i < argc; ++i) {
      const int size = std::atoi(argv[i]);
      if (size <= 0 || size % kIconSize != 0 || std::to_string(size) != argv[i])
        throw Error(std::string("icon size ") + argv[i] + " is not a whole multiple of 32");
      icon_sizes.push_back(size);
    }
    Parser art(argv[1]);
    art.parse();
    const std::string dir = std::string(argv[2]) + "/";
    for (int t = 0; t < kTileCount; ++t) {
      char name[32];
      std::snprintf(name, sizeof name, "tile_%02d.bmp", t);
      write_file(dir + name, bmp_file(art.tiles()[static_cast<size_t>(t)], art.palette()));
    }
    write_file(dir + "orvanta.ico", ico_file(art.icon(), art.palette()));
    for (int size : icon_sizes) {
      const std::string png = dir + "orvanta_" + std::to_string(size) + ".png";
      if (!png_writer::write_file(png, size, size, rgb_of(scaled(art.icon(), size / kIconSize), art.palette())))
        throw Error("cannot write " + png);
    }
    write_text(dir + "tile_data.cpp", tile_data_cpp(art));
    write_text(dir + "menu.rc", menu_rc());
  } catch (const Error& e) {
    std::fprintf(stderr, "artgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
