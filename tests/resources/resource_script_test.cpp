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
constexpr uint16_t kUsEnglish = 0x0409;

struct Resource {
  uint16_t type = 0, name = 0, language = 0;
  std::vector<uint8_t> data;
};

// A .res file is a run of entries: DataSize, HeaderSize, TYPE, NAME (each 0xFFFF + id here), padding to 4,
// DataVersion, MemoryFlags, LanguageId, Version, Characteristics, then the data padded to 4.
std::vector<Resource> read_res(const std::string& path, std::string& why) {
  const std::vector<uint8_t> b = read_file(path);
  std::vector<Resource> out;
  size_t at = 0;
  while (at + 32 <= b.size()) {
    const uint32_t data_size = le32(b, at), header_size = le32(b, at + 4);
    if (le16(b, at + 8) != 0xFFFF || le16(b, at + 12) != 0xFFFF) {
      why = "a resource with a string type or name";
      return {};
    }
    Resource r;
    r.type = le16(b, at + 10);
    r.name = le16(b, at + 14);
    r.language = le16(b, at + 16 + 4 + 2);
    if (at + header_size + data_size > b.size()) {
      why = "truncated";
      return {};
    }
    r.data.assign(b.begin() + static_cast<long>(at + header_size),
                  b.begin() + static_cast<long>(at + header_size + data_size));
    if (!(r.type == 0 && r.name == 0 && data_size == 0)) out.push_back(std::move(r));  // skip the leading empty one
    at += (header_size + data_size + 3) / 4 * 4;
  }
  if (at != b.size()) why = "trailing bytes";
  return out;
}

class ResourceScript : public testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    resources_ = read_res(ORVANTA_RES_FILE, why);
    ASSERT_TRUE(why.empty()) << ORVANTA_RES_FILE << ": " << why;
    ASSERT_FALSE(resources_.empty()) << ORVANTA_RES_FILE << " missing or empty: did resources_rc_compiles run?";
  }
  const Resource* find(uint16_t type, uint16_t name) const {
    for (const Resource& r : resources_)
      if (r.type == type && r.name == name) return &r;
    return nullptr;
  }
  std::vector<Resource> resources_;
};

std::u16string utf16_at(const std::vector<uint8_t>& b, size_t& at) {
  std::u16string s;
  for (uint16_t ch; (ch = le16(b, at)) != 0; at += 2) s.push_back(static_cast<char16_t>(ch));
  at += 2;
  return s;
}

std::string narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

}  // namespace

TEST_F(ResourceScript, HoldsExactlyTheThirteenBitmapsTheIconTheMenuAndTheVersion) {
  std::map<uint16_t, std::vector<uint16_t>> by_type;
  for (const Resource& r : resources_) {
    by_type[r.type].push_back(r.name);
    EXPECT_EQ(r.language, kUsEnglish) << "type " << r.type << " name " << r.name;
  }
  std::vector<uint16_t> bitmaps;
  for (uint16_t i = 1; i <= 13; ++i) bitmaps.push_back(i);
  EXPECT_EQ(by_type[RT_BITMAP_], bitmaps);
  EXPECT_EQ(by_type[RT_ICON_], std::vector<uint16_t>{1});
  EXPECT_EQ(by_type[RT_GROUP_ICON_], std::vector<uint16_t>{IDI_APPICON});
  EXPECT_EQ(by_type[RT_MENU_], std::vector<uint16_t>{IDR_MAINMENU});
  EXPECT_EQ(by_type[RT_VERSION_], std::vector<uint16_t>{1});
  EXPECT_EQ(by_type.size(), 5u);
}

TEST_F(ResourceScript, BitmapResourceIdIsTileIndexPlusOne) {
  for (int i = 0; i < 13; ++i) {
    const Resource* r = find(RT_BITMAP_, static_cast<uint16_t>(IDB_FIRST_TILE + i));
    ASSERT_NE(r, nullptr) << "bitmap " << i + 1;
    const std::vector<uint8_t> file = read_file(tile_bitmap_path(i));
    ASSERT_GT(file.size(), 14u);
    // A bitmap resource is the .bmp file without its 14-byte file header.
    EXPECT_EQ(r->data, std::vector<uint8_t>(file.begin() + 14, file.end())) << "bitmap " << i + 1;
  }
}

TEST_F(ResourceScript, IconGroupOneHoldsTheThirtyTwoPixelIcon) {
  const Resource* group = find(RT_GROUP_ICON_, IDI_APPICON);
  ASSERT_NE(group, nullptr);
  const std::vector<uint8_t>& g = group->data;
  ASSERT_EQ(g.size(), 6u + 14u);
  EXPECT_EQ(le16(g, 0), 0);
  EXPECT_EQ(le16(g, 2), 1);
  EXPECT_EQ(le16(g, 4), 1) << "one image";
  EXPECT_EQ(g[6], 32);
  EXPECT_EQ(g[7], 32);
  EXPECT_EQ(g[8], 16);
  EXPECT_EQ(le16(g, 10), 1);
  EXPECT_EQ(le16(g, 12), 4);
  const uint16_t icon_id = le16(g, 18);
  const Resource* icon = find(RT_ICON_, icon_id);
  ASSERT_NE(icon, nullptr) << "icon " << icon_id;
  const std::vector<uint8_t> file = read_file(icon_path());
  ASSERT_GT(file.size(), 22u);
  EXPECT_EQ(icon->data, std::vector<uint8_t>(file.begin() + 22, file.end()));
  EXPECT_EQ(le32(g, 14), icon->data.size());
}

namespace {

struct MenuItem {
  std::string text;
  uint16_t id;
  bool checked;
};
struct Popup {
  std::string text;
  std::vector<MenuItem> items;  // a separator: empty text, id 0
};

constexpr uint16_t MF_GRAYED_ = 0x01, MF_DISABLED_ = 0x02, MF_CHECKED_ = 0x08, MF_POPUP_ = 0x10, MF_END_ = 0x80;

}  // namespace

TEST_F(ResourceScript, MenuOneHasThePartsPopupsItemsIdsMnemonicsAndCheckMarks) {
  const Resource* menu = find(RT_MENU_, IDR_MAINMENU);
  ASSERT_NE(menu, nullptr);
  const std::vector<uint8_t>& b = menu->data;
  ASSERT_GE(b.size(), 4u);
  EXPECT_EQ(le16(b, 0), 0) << "MENUITEMTEMPLATEHEADER version";
  EXPECT_EQ(le16(b, 2), 0) << "header offset";
  std::vector<Popup> popups;
  size_t at = 4;
  for (bool last_popup = false; !last_popup;) {
    const uint16_t flags = le16(b, at);
    at += 2;
    ASSERT_TRUE(flags & MF_POPUP_) << "the menu bar holds popups only";
    last_popup = flags & MF_END_;
    Popup popup{narrow(utf16_at(b, at)), {}};
    for (bool last_item = false; !last_item;) {
      const uint16_t item_flags = le16(b, at);
      ASSERT_FALSE(item_flags & MF_POPUP_) << "no nested popups";
      EXPECT_FALSE(item_flags & (MF_GRAYED_ | MF_DISABLED_)) << "no item is greyed or disabled";
      last_item = item_flags & MF_END_;
      const uint16_t id = le16(b, at + 2);
      at += 4;
      popup.items.push_back({narrow(utf16_at(b, at)), id, (item_flags & MF_CHECKED_) != 0});
    }
    popups.push_back(popup);
  }
  EXPECT_EQ(at, b.size());

  ASSERT_EQ(popups.size(), 3u);
  EXPECT_EQ(popups[0].text, "&File");
  EXPECT_EQ(popups[1].text, "&Edit");
  EXPECT_EQ(popups[2].text, "&Help");
  auto expect_items = [](const Popup& p, const std::vector<MenuItem>& want) {
    ASSERT_EQ(p.items.size(), want.size()) << p.text;
    for (size_t i = 0; i < want.size(); ++i) {
      EXPECT_EQ(p.items[i].text, want[i].text) << p.text << " item " << i;
      EXPECT_EQ(p.items[i].id, want[i].id) << p.text << " item " << i;
      EXPECT_EQ(p.items[i].checked, want[i].checked) << p.text << " item " << i;
    }
  };
  expect_items(popups[0], {{"&Solve", 102, false}, {"S&top Solving", 104, false}, {"", 0, false}, {"&Exit", 101, false}});
  expect_items(popups[1], {{"&Nonstop", 107, true}, {"&Go Slow", 108, true}, {"&Allow Guessing", 112, true}});
  expect_items(popups[2], {{"&About", 103, false}});
  // The header's names agree with the expected numbers.
  EXPECT_EQ(IDM_SOLVE, 102);
  EXPECT_EQ(IDM_STOP, 104);
  EXPECT_EQ(IDM_EXIT, 101);
  EXPECT_EQ(IDM_NONSTOP, 107);
  EXPECT_EQ(IDM_GOSLOW, 108);
  EXPECT_EQ(IDM_GUESS, 112);
  EXPECT_EQ(IDM_ABOUT, 103);
}

namespace {

// A node of the version resource: wLength, wValueLength, wType, key (UTF-16), padding, value, padding, children.
struct VersionNode {
  std::string key;
  uint16_t type = 0;
  std::vector<uint8_t> value;  // raw bytes (text values: UTF-16 code units)
  std::vector<VersionNode> children;
};

size_t align4(size_t at) { return (at + 3) / 4 * 4; }

VersionNode parse_node(const std::vector<uint8_t>& b, size_t at) {
  VersionNode n;
  const size_t end = at + le16(b, at);
  const uint16_t value_length = le16(b, at + 2);
  n.type = le16(b, at + 4);
  size_t p = at + 6;
  n.key = narrow(utf16_at(b, p));
  p = align4(p);
  const size_t value_bytes = n.type == 1 ? value_length * 2u : value_length;  // text: in characters
  n.value.assign(b.begin() + static_cast<long>(p), b.begin() + static_cast<long>(std::min(p + value_bytes, end)));
  p = align4(p + value_bytes);
  while (p + 6 <= end) {
    const uint16_t child_length = le16(b, p);
    if (child_length == 0) break;
    n.children.push_back(parse_node(b, p));
    p = align4(p + child_length);
  }
  return n;
}

const VersionNode* child(const VersionNode& n, const std::string& key) {
  for (const VersionNode& c : n.children)
    if (c.key == key) return &c;
  return nullptr;
}

std::string text_value(const VersionNode& n) {
  std::string s;
  for (size_t i = 0; i + 1 < n.value.size(); i += 2) {
    const uint16_t ch = le16(n.value, i);
    if (ch == 0) break;
    s.push_back(static_cast<char>(ch));
  }
  return s;
}

}  // namespace

TEST_F(ResourceScript, VersionRecordHasTheNumbersLanguageAndFileVersionString) {
  const Resource* version = find(RT_VERSION_, 1);
  ASSERT_NE(version, nullptr);
  const VersionNode root = parse_node(version->data, 0);
  EXPECT_EQ(root.key, "VS_VERSION_INFO");
  ASSERT_EQ(root.value.size(), 52u) << "VS_FIXEDFILEINFO";
  EXPECT_EQ(le32(root.value, 0), 0xFEEF04BDu) << "signature";
  EXPECT_EQ(le32(root.value, 8), 0x00010003u) << "file version 1.3";
  EXPECT_EQ(le32(root.value, 12), 0x00000000u) << "file version .0.0";
  EXPECT_EQ(le32(root.value, 16), 0x00010000u) << "product version 1.0";
  EXPECT_EQ(le32(root.value, 20), 0x00000000u) << "product version .0.0";
  EXPECT_EQ(le32(root.value, 32), 0x00040004u) << "VOS_NT_WINDOWS32";
  EXPECT_EQ(le32(root.value, 36), 1u) << "VFT_APP";

  const VersionNode* strings = child(root, "StringFileInfo");
  ASSERT_NE(strings, nullptr);
  ASSERT_EQ(strings->children.size(), 1u) << "one string table";
  const VersionNode& table = strings->children[0];
  EXPECT_TRUE(table.key == "040904E4" || table.key == "040904e4") << table.key << ": US English, code page 1252";
  std::map<std::string, std::string> values;
  for (const VersionNode& v : table.children) values[v.key] = text_value(v);
  EXPECT_EQ(values["FileVersion"], "1.03");
  EXPECT_EQ(values["ProductName"], "Orvanta");
  EXPECT_EQ(values["OriginalFilename"], "orvanta.exe");
  EXPECT_FALSE(values["FileDescription"].empty());
  EXPECT_FALSE(values["ProductVersion"].empty());

  const VersionNode* vars = child(root, "VarFileInfo");
  ASSERT_NE(vars, nullptr);
  const VersionNode* translation = child(*vars, "Translation");
  ASSERT_NE(translation, nullptr);
  ASSERT_EQ(translation->value.size(), 4u);
  EXPECT_EQ(le16(translation->value, 0), 0x0409) << "US English";
  EXPECT_EQ(le16(translation->value, 2), 1252) << "code page 1252";
}
