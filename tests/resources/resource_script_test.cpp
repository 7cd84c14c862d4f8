// What windres makes of resources/orvanta.rc (the .res written by the test
// resources_rc_compiles): the menu and the version record. Its tile bitmaps
// are checked where orvanta.exe shows them, in tests/e2e/win32/play.sh.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

constexpr uint16_t RT_MENU_ = 4, RT_VERSION_ = 16;

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes = 2)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; i--)
        value = value << 8 | (at + i < b.size() ? b[at + i] : 0);
    return value;
}

// The data of one resource. A .res file is a run of entries: DataSize, HeaderSize,
// TYPE and NAME (0xFFFF and an id each here), ..., then the data padded to 4 bytes.
std::vector<uint8_t> resource(uint16_t type, uint16_t name)
{
    std::ifstream file(ORVANTA_RES_FILE, std::ios::binary);
    std::vector<uint8_t> b{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    for (size_t at = 0; at + 32 <= b.size(); at = (at + le(b, at + 4, 4) + le(b, at, 4) + 3) / 4 * 4)
        if (le(b, at + 10) == type && le(b, at + 14) == name) {
            auto data = b.begin() + long(at + le(b, at + 4, 4));
            return {data, data + long(le(b, at, 4))};
        }
    return {};
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

// Written out as: popup{item=id, checked item=id+, separator -} ...
TEST(ResourceScript, TheMenuHasItsItemsIdsAndCheckMarks)
{
    std::vector<uint8_t> b = resource(RT_MENU_, IDR_MAINMENU);
    std::string seen;
    for (size_t at = 4; at < b.size();) {  // after the header, item after item; a popup has no id
        uint32_t flags = le(b, at), popup = flags & 0x10, id = popup ? 0 : le(b, at + 2);
        at += popup ? 2 : 4;
        std::string text = text_at(b, at);
        seen += popup ? text + "{" : (text.empty() ? "-" : text + "=" + std::to_string(id));
        seen += popup ? "" : std::string(flags & 0x08 ? "+" : "") + (flags & 0x80 ? "} " : ", ");
    }
    EXPECT_EQ(seen, "&File{&Solve=102, S&top Solving=104, -, &Exit=101} "
                    "&Edit{&Nonstop=107+, &Go Slow=108+, &Allow Guessing=112+} &Help{&About=103} ");
}

TEST(ResourceScript, VersionRecordHasTheNumbersLanguageAndFileVersion)
{
    std::vector<uint8_t> b = resource(RT_VERSION_, 1);
    // VS_FIXEDFILEINFO after the root's key "VS_VERSION_INFO": its signature, file version 1.3.0.0 and product
    // version 1.0.0.0; at the end, the translation: US English, code page 1252.
    EXPECT_EQ((std::vector<uint32_t>{le(b, 40, 4), le(b, 48, 4), le(b, 52, 4), le(b, 56, 4), le(b, 60, 4),
                                     le(b, b.size() - 4, 4)}),
              (std::vector<uint32_t>{0xFEEF04BD, 0x00010003, 0, 0x00010000, 0, 0x04E40409}));
    // The strings as UTF-16 code units: one table for US English, code page 1252, whose FileVersion is "1.03".
    std::string ascii;
    for (size_t at = 0; at + 1 < b.size(); at += 2)
        ascii += b[at] >= 32 && b[at] < 127 && b[at + 1] == 0 ? char(b[at]) : '|';
    EXPECT_NE(ascii.find("040904E4"), std::string::npos) << ascii;
    EXPECT_NE(ascii.find("FileVersion||1.03|"), std::string::npos) << ascii;
}
