// The pictures as a user sees them: every generated file read by an ordinary
// image reader (ImageMagick), and the pixels compiled into the Qt program,
// against expected_pictures.txt, which is written independently of the source.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>

#include "resources/tile_data.h"
#include "ui/common/tile_choice.h"

namespace {

struct expected_pictures {
    std::vector<uint32_t> palette;                      // 0xRRGGBB
    std::map<std::string, std::vector<uint8_t>> by_name;  // palette indices, row by row
};

const expected_pictures& expected()
{
    static expected_pictures table = [] {
        expected_pictures read;
        std::ifstream file(ORVANTA_EXPECTED_PICTURES);
        std::string line, name;
        while (std::getline(file, line)) {
            if (line.empty() || line[0] == '#')
                continue;
            if (line.find_first_not_of("0123456789ABCDEF") != std::string::npos)
                name = line.substr(0, line.find(':'));
            else if (name == "palette")
                read.palette.push_back(uint32_t(std::stoul(line, nullptr, 16)));
            else
                for (char c : line)
                    read.by_name[name].push_back(uint8_t(std::stoi(std::string(1, c), nullptr, 16)));
        }
        return read;
    }();
    return table;
}

std::string tile_name(int index)
{
    return "tile " + std::to_string(index);
}

// The picture in a file as palette indices, as ImageMagick decodes it (255 for a colour not in the palette).
std::vector<uint8_t> decoded(const std::string& file)
{
    std::FILE* pipe = popen(("convert '" + file + "' -depth 8 rgb:-").c_str(), "r");
    std::vector<uint8_t> indices;
    for (int r, g, b; pipe && (r = std::fgetc(pipe)) != EOF && (g = std::fgetc(pipe)) != EOF &&
                      (b = std::fgetc(pipe)) != EOF;) {
        uint32_t rgb = uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
        const std::vector<uint32_t>& palette = expected().palette;
        auto at = std::find(palette.begin(), palette.end(), rgb);
        indices.push_back(at == palette.end() ? 255 : uint8_t(at - palette.begin()));
    }
    if (pipe)
        pclose(pipe);
    return indices;
}

}  // namespace

TEST(Pictures, GeneratedFilesShowTheExpectedPictures)
{
    ASSERT_EQ(expected().by_name.size(), 14u);
    for (int i = 0; i < TILE_COUNT; i++) {
        char file[32];
        std::snprintf(file, sizeof file, "/tile_%02d.bmp", i);
        EXPECT_EQ(decoded(ORVANTA_PICTURES_DIR + std::string(file)), expected().by_name.at(tile_name(i))) << file;
    }
    EXPECT_EQ(decoded(ORVANTA_PICTURES_DIR "/orvanta.ico"), expected().by_name.at("icon"));
}

// The desktop's icons: each pixel of the 32 by 32 icon an exact square of the same colour.
TEST(Pictures, IconPngsAreTheIconScaledByWholePixels)
{
    const std::vector<uint8_t>& icon = expected().by_name.at("icon");
    for (int factor : {1, 2, 4, 8}) {
        const int size = 32 * factor;
        std::vector<uint8_t> scaled;
        for (int i = 0; i < size * size; i++)
            scaled.push_back(icon[std::size_t(i / size / factor * 32 + i % size / factor)]);
        std::string file = ORVANTA_PICTURES_DIR "/orvanta_" + std::to_string(size) + ".png";
        EXPECT_EQ(decoded(file), scaled) << file;
    }
}

TEST(Pictures, CompiledInPixelsAreTheExpectedPictures)
{
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(uint32_t(palette_rgb[i][0]) << 16 | palette_rgb[i][1] << 8 | palette_rgb[i][2], expected().palette[i]);
    for (int i = 0; i < TILE_COUNT; i++)
        EXPECT_EQ(std::vector<uint8_t>(&tile_pixels[i][0][0], &tile_pixels[i][0][0] + 256),
                  expected().by_name.at(tile_name(i)))
            << tile_name(i);
    EXPECT_EQ(std::vector<uint8_t>(&icon_pixels[0][0], &icon_pixels[0][0] + 1024), expected().by_name.at("icon"));
}
