// What windres makes of resources/orvanta.rc (the .res written by the test
// resources_rc_compiles): the tile bitmaps, the menu and the version record.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

#include "resources/resource_ids.h"
#include "version.h"

namespace {

constexpr uint16_t RT_BITMAP_ = 2, RT_MENU_ = 4, RT_VERSION_ = 16;

std::vector<uint8_t> read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes = 2)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; i--)
        value = value << 8 | (at + i < b.size() ? b[at + i] : 0);
    return value;
}

// A .res file is a run of entries: DataSize, HeaderSize, TYPE and NAME (0xFFFF
// and an id each here), ..., then the data padded to 4 bytes.
std::map<std::pair<uint16_t, uint16_t>, std::vector<uint8_t>> resources()
{
    std::vector<uint8_t> b = read_file(ORVANTA_RES_FILE);
    std::map<std::pair<uint16_t, uint16_t>, std::vector<uint8_t>> found;
    for (size_t at = 0; at + 32 <= b.size(); at = (at + le(b, at + 4, 4) + le(b, at, 4) + 3) / 4 * 4) {
        auto data = b.begin() + long(at + le(b, at + 4, 4));
        found[{uint16_t(le(b, at + 10)), uint16_t(le(b, at + 14))}] = {data, data + long(le(b, at, 4))};
    }
    return found;
}

std::string text_at(const std::vector<uint8_t>& b, size_t& at)  // UTF-16, ASCII here
{
    std::string text;
    for (; le(b, at) != 0; at += 2)
        text += char(le(b, at));
    at += 2;
    return text;
}

}  // namespace

TEST(ResourceScript, BitmapsAreTheTilesInOrderAndTheMenuHasItsItemsIdsAndChecks)
{
    auto found = resources();
    for (int i = 0; i < 13; i++) {
        char file[32];
        std::snprintf(file, sizeof file, "/tile_%02d.bmp", i);
        std::vector<uint8_t> bmp = read_file(ORVANTA_PICTURES_DIR + std::string(file));
        std::pair<uint16_t, uint16_t> id(RT_BITMAP_, uint16_t(IDB_FIRST_TILE + i));
        EXPECT_EQ(found[id], std::vector<uint8_t>(bmp.begin() + 14, bmp.end()))
            << "bitmap " << IDB_FIRST_TILE + i << " is the file without its 14-byte header";
    }
    // Written out as: popup{item=id, checked item=id+, separator -} ...
    const std::vector<uint8_t>& b = found[{RT_MENU_, IDR_MAINMENU}];
    std::string seen;
    size_t at = 4;
    for (bool last_popup = false; !last_popup && at < b.size();) {
        last_popup = le(b, at) & 0x80;
        at += 2;
        seen += text_at(b, at) + "{";
        for (bool last_item = false; !last_item && at < b.size();) {
            uint32_t flags = le(b, at), id = le(b, at + 2);
            last_item = flags & 0x80;
            at += 4;
            std::string item = text_at(b, at);
            seen += (item.empty() ? "-" : item + "=" + std::to_string(id)) + (flags & 0x08 ? "+" : "") +
                    (last_item ? "} " : ", ");
        }
    }
    EXPECT_EQ(seen, "&File{&Solve=102, S&top Solving=104, -, &Exit=101} "
                    "&Edit{&Nonstop=107+, &Go Slow=108+, &Allow Guessing=112+} &Help{&About=103} ");
}

TEST(ResourceScript, VersionRecordHasTheNumbersLanguageAndFileVersion)
{
    std::vector<uint8_t> b = resources()[{RT_VERSION_, 1}];
    // VS_FIXEDFILEINFO after the root's key "VS_VERSION_INFO": signature, file version 1.3.0.0, product 1.0.0.0.
    size_t fixed = 40;
    ASSERT_EQ(le(b, fixed, 4), 0xFEEF04BDu);
    EXPECT_EQ(le(b, fixed + 8, 4), 0x00010003u);
    EXPECT_EQ(le(b, fixed + 12, 4), 0u);
    EXPECT_EQ(le(b, fixed + 16, 4), 0x00010000u);
    // The strings as UTF-16 code units: one table for US English, code page 1252, whose FileVersion is "1.03".
    std::string ascii;
    for (size_t at = 0; at + 1 < b.size(); at += 2)
        ascii += b[at] >= 32 && b[at] < 127 && b[at + 1] == 0 ? char(b[at]) : '|';
    EXPECT_NE(ascii.find("040904E4"), std::string::npos);
    EXPECT_NE(ascii.find("FileVersion||" ORVANTA_FILE_VERSION "|"), std::string::npos) << ascii;
    EXPECT_EQ(std::string(ORVANTA_FILE_VERSION), "1.03");
    EXPECT_EQ(le(b, b.size() - 4, 4), 0x04E40409u) << "Translation: US English, code page 1252";
}
