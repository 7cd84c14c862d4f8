// The pictures as a user sees them: every generated file read by an ordinary
// image reader (ImageMagick), and the pixels compiled into the Qt program,
// against expected_pictures.txt, which is written independently of the source.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "resources/tile_data.h"
#include "ui/common/tile_choice.h"

namespace {

uint32_t colour(int index)
{
    return uint32_t(palette_rgb[index][0]) << 16 | palette_rgb[index][1] << 8 | palette_rgb[index][2];
}

// Palette indices as expected_pictures.txt writes them: width hex digits a row ('?' for 16, no colour of the palette).
template <typename Index>
std::string rows(int width, int count, Index index)
{
    std::string text;
    for (int i = 0; i < count; i++)
        text += std::string(1, "0123456789ABCDEF?"[index(i)]) + (i % width == width - 1 ? "\n" : "");
    return text;
}

// The picture in a file as ImageMagick decodes it, width pixels a row.
std::string decoded(const std::string& file, int width)
{
    std::FILE* pipe = popen(("convert '" + file + "' -depth 8 rgb:-").c_str(), "r");
    std::vector<int> indices;
    for (int r, g, b; pipe && (r = std::fgetc(pipe)) != EOF && (g = std::fgetc(pipe)) != EOF &&
                      (b = std::fgetc(pipe)) != EOF;) {
        int index = 0;
        while (index < 16 && colour(index) != uint32_t(r << 16 | g << 8 | b))
            index++;
        indices.push_back(index);
    }
    if (pipe)
        pclose(pipe);
    return rows(width, int(indices.size()), [&](int i) { return indices[size_t(i)]; });
}

}  // namespace

// Both as expected_pictures.txt without its comments and the descriptions after the names. The files
// are read through the compiled-in palette, which this test compares too.
TEST(Pictures, GeneratedFilesAndCompiledInPixelsShowTheExpectedPictures)
{
    std::ifstream file(ORVANTA_EXPECTED_PICTURES);
    std::string expected, compiled = "palette\n";
    for (std::string line; std::getline(file, line);)
        if (!line.empty() && line[0] != '#')
            expected += line.substr(0, line.find(':')) + "\n";
    for (int i = 0; i < 16; i++)  // six hex digits a colour
        compiled += rows(6, 6, [i](int digit) { return int(colour(i) >> (20 - 4 * digit) & 15); });
    std::string files = compiled;
    for (int i = 0; i < TILE_COUNT; i++) {
        std::string name = "tile " + std::to_string(i) + "\n", number = (i < 10 ? "0" : "") + std::to_string(i);
        files += name + decoded(ORVANTA_PICTURES_DIR "/tile_" + number + ".bmp", 16);
        compiled += name + rows(16, 256, [i](int p) { return tile_pixels[i][p / 16][p % 16]; });
    }
    files += "icon\n" + decoded(ORVANTA_PICTURES_DIR "/orvanta.ico", 32);
    compiled += "icon\n" + rows(32, 1024, [](int p) { return icon_pixels[p / 32][p % 32]; });
    EXPECT_EQ(compiled, expected);
    EXPECT_EQ(files, expected);
}

// The desktop's icons: each pixel of the 32 by 32 icon an exact square of the same colour.
TEST(Pictures, IconPngsAreTheIconScaledByWholePixels)
{
    for (int factor : {1, 2, 4, 8}) {
        const int size = 32 * factor;
        std::string file = ORVANTA_PICTURES_DIR "/orvanta_" + std::to_string(size) + ".png";
        auto scaled = [&](int p) { return icon_pixels[p / size / factor][p % size / factor]; };
        EXPECT_EQ(decoded(file, size), rows(size, size * size, scaled)) << file;
    }
}
