// What windres made of resources/orvanta.rc: the compiled resource file (.res, written by the ctest
// resources_rc_compiles) read entry by entry: bitmaps 1 to 13, icon group 1, menu 1, the version record.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "picture_files.h"
#include "resources/resource_ids.h"

namespace {

constexpr uint16_t RT_BITMAP_ = 2, RT_ICON_ = 3, RT_MENU_ = 4, RT_GROUP_ICON_ = 14, RT_VERSION_ = 16;

struct Resource {
  uint16_t type = 0, name = 0, language = 0;
  std::vector<uint8_t> data;
};

// A .res file is a run of entries: DataSize, HeaderSize, TYPE, NAME (each 0xFFFF + id here), padding to 4,
// DataVersion, MemoryFlags, LanguageId, Version, Characteristics, then the data padded to 4. The leading empty
// entry is left out; an empty list if the file is missing or malformed.
std::vector<Resource> read_res() {
  const std::vector<uint8_t> b = read_file(ORVANTA_RES_FILE);
  std::vector<Resource> out;
  size_t at = 0;
  for (; at + 32 <= b.size(); at = (at + le32(b, at + 4) + le32(b, at) + 3) / 4 * 4) {
    const size_t data_at = at + le32(b, at + 4), data_end = data_at + le32(b, at);
    if (le16(b, at + 8) != 0xFFFF || le16(b, at + 12) != 0xFFFF || data_end > b.size()) return {};
    const Resource r{le16(b, at + 10), le16(b, at + 14), le16(b, at + 22),
                     {b.begin() + static_cast<long>(data_at), b.begin() + static_cast<long>(data_end)}};
    if (r.type != 0 || r.name != 0 || !r.data.empty()) out.push_back(r);
  }
  return at == b.size() ? out : std::vector<Resource>{};
}

const Resource* find(uint16_t type, uint16_t name) {
  static const std::vector<Resource> resources = read_res();
  for (const Resource& r : resources)
    if (r.type == type && r.name == name) return &r;
  return nullptr;
}

std::string utf16_at(const std::vector<uint8_t>& b, size_t& at) {  // a NUL-terminated string, ASCII here
  std::string s;
  for (uint16_t ch; (ch = le16(b, at)) != 0; at += 2) s.push_back(static_cast<char>(ch));
  at += 2;
  return s;
}

std::vector<uint8_t> tail(const std::vector<uint8_t>& b, size_t from) {
  return b.size() < from ? std::vector<uint8_t>{} : std::vector<uint8_t>(b.begin() + static_cast<long>(from), b.end());
}

size_t align4(size_t at) { return (at + 3) / 4 * 4; }

// A node of the version resource (wLength, wValueLength, wType, key, padding, value, padding, children) and every
// node below it, as "/key/key..." -> value bytes (text values: UTF-16 code units).
void read_version_node(const std::vector<uint8_t>& b, size_t at, const std::string& parent,
                       std::map<std::string, std::vector<uint8_t>>& out) {
  const size_t end = std::min<size_t>(at + le16(b, at), b.size());
  const size_t value_bytes = le16(b, at + 2) * (le16(b, at + 4) == 1 ? 2u : 1u);  // text: in characters
  size_t p = at + 6;
  const std::string path = parent + "/" + utf16_at(b, p);
  p = align4(p);
  out[path].assign(b.begin() + static_cast<long>(std::min(p, end)),
                   b.begin() + static_cast<long>(std::min(p + value_bytes, end)));
  for (p = align4(p + value_bytes); p + 6 <= end && le16(b, p) != 0; p = align4(p + le16(b, p)))
    read_version_node(b, p, path, out);
}

}  // namespace

TEST(ResourceScript, HoldsTheThirteenTileBitmapsAndTheIconAsGeneratedAndNothingElse) {
  const std::vector<Resource> resources = read_res();
  ASSERT_FALSE(resources.empty()) << ORVANTA_RES_FILE << " missing or malformed: did resources_rc_compiles run?";
  std::map<uint16_t, std::vector<uint16_t>> by_type;
  for (const Resource& r : resources) {
    by_type[r.type].push_back(r.name);
    EXPECT_EQ(r.language, 0x0409) << "US English: type " << r.type << " name " << r.name;
  }
  const std::map<uint16_t, std::vector<uint16_t>> expected = {
      {RT_BITMAP_, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}}, {RT_ICON_, {1}}, {RT_MENU_, {IDR_MAINMENU}},
      {RT_GROUP_ICON_, {IDI_APPICON}}, {RT_VERSION_, {1}}};
  EXPECT_EQ(by_type, expected);
  // A bitmap resource is the .bmp file without its 14-byte file header: resource id = tile index + 1.
  for (int i = 0; i < 13; ++i) {
    const Resource* r = find(RT_BITMAP_, static_cast<uint16_t>(IDB_FIRST_TILE + i));
    ASSERT_NE(r, nullptr) << "bitmap " << i + 1;
    EXPECT_EQ(r->data, tail(read_file(tile_bitmap_path(i)), 14)) << "bitmap " << i + 1;
  }
  // Icon group 1 lists one image, 32 by 32, 16 colours, 1 plane, 4 bits per pixel, 744 bytes, icon 1: the .ico
  // file's image.
  const Resource* group = find(RT_GROUP_ICON_, IDI_APPICON);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->data, (std::vector<uint8_t>{0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 1, 0, 4, 0, 0xE8, 2, 0, 0, 1, 0}));
  const Resource* icon = find(RT_ICON_, 1);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->data, tail(read_file(icon_path()), 22));
}

TEST(ResourceScript, MenuOneHasItsPopupsItemsIdsMnemonicsAndCheckMarks) {
  constexpr uint16_t GRAYED = 0x01, DISABLED = 0x02, CHECKED = 0x08, POPUP = 0x10, END = 0x80;
  const Resource* menu = find(RT_MENU_, IDR_MAINMENU);
  ASSERT_NE(menu, nullptr);
  const std::vector<uint8_t>& b = menu->data;
  ASSERT_GE(b.size(), 4u);
  EXPECT_EQ(le32(b, 0), 0u) << "MENUITEMTEMPLATEHEADER: version 0, offset 0";
  // Written out as: popup{item=id, item=id+ (checked), - (separator), ...} ...
  std::string seen;
  size_t at = 4;
  for (bool last_popup = false; !last_popup;) {
    const uint16_t flags = le16(b, at);
    at += 2;
    ASSERT_TRUE(flags & POPUP) << "the menu bar holds popups only";
    last_popup = flags & END;
    seen += utf16_at(b, at) + "{";
    for (bool last_item = false; !last_item;) {
      const uint16_t item_flags = le16(b, at), id = le16(b, at + 2);
      ASSERT_FALSE(item_flags & POPUP) << "no nested popups";
      EXPECT_FALSE(item_flags & (GRAYED | DISABLED)) << "no item is greyed or disabled";
      last_item = item_flags & END;
      at += 4;
      const std::string text = utf16_at(b, at);
      seen += text.empty() && id == 0 ? "-" : text + "=" + std::to_string(id);
      seen += std::string(item_flags & CHECKED ? "+" : "") + (last_item ? "} " : ", ");
    }
  }
  EXPECT_EQ(at, b.size());
  EXPECT_EQ(seen,
            "&File{&Solve=102, S&top Solving=104, -, &Exit=101} "
            "&Edit{&Nonstop=107+, &Go Slow=108+, &Allow Guessing=112+} &Help{&About=103} ");
}

TEST(ResourceScript, VersionRecordHasTheNumbersLanguageAndFileVersionString) {
  const Resource* version = find(RT_VERSION_, 1);
  ASSERT_NE(version, nullptr);
  std::map<std::string, std::vector<uint8_t>> nodes;
  read_version_node(version->data, 0, "", nodes);
  const std::vector<uint8_t>& fixed = nodes["/VS_VERSION_INFO"];
  ASSERT_EQ(fixed.size(), 52u) << "the VS_FIXEDFILEINFO of VS_VERSION_INFO";
  // Signature, file version 1.3 and .0.0, product version 1.0 and .0.0, VOS_NT_WINDOWS32, VFT_APP.
  const std::pair<size_t, uint32_t> fields[] = {{0, 0xFEEF04BD}, {8, 0x00010003}, {12, 0},     {16, 0x00010000},
                                                {20, 0},          {32, 0x00040004}, {36, 1}};
  for (const auto& [at, value] : fields) EXPECT_EQ(le32(fixed, at), value) << "VS_FIXEDFILEINFO byte " << at;

  // One string table, for US English and code page 1252, and its values.
  const std::string strings = "/VS_VERSION_INFO/StringFileInfo/";
  std::vector<std::string> tables;
  for (const auto& [path, value] : nodes)
    if (path.rfind(strings, 0) == 0 && path.find('/', strings.size()) == std::string::npos)
      tables.push_back(path.substr(strings.size()));
  ASSERT_EQ(tables.size(), 1u) << "one string table";
  EXPECT_TRUE(tables[0] == "040904E4" || tables[0] == "040904e4") << tables[0] << ": US English, code page 1252";
  auto text = [&](const std::string& key) {
    size_t at = 0;
    return utf16_at(nodes[strings + tables[0] + "/" + key], at);
  };
  EXPECT_EQ(text("FileVersion"), "1.03");
  EXPECT_EQ(text("ProductName"), "Orvanta");
  EXPECT_EQ(text("OriginalFilename"), "orvanta.exe");
  EXPECT_FALSE(text("FileDescription").empty());
  EXPECT_FALSE(text("ProductVersion").empty());

  const std::vector<uint8_t>& translation = nodes["/VS_VERSION_INFO/VarFileInfo/Translation"];
  ASSERT_EQ(translation.size(), 4u);
  EXPECT_EQ(le16(translation, 0), 0x0409) << "US English";
  EXPECT_EQ(le16(translation, 2), 1252) << "code page 1252";
}
