// Test tool: finds the field in a screenshot and checks that its cells show the tiles.
//   screen_check SHOT.png hidden    every cell shows the hidden tile
//   screen_check SHOT.png playing   every cell shows one of the 13 tiles, and not all are hidden
// Prints "origin X Y", the screen position of the field's top-left pixel; exits 0 when the check holds.
#include <QImage>
#include <cstdio>
#include <cstring>

#include "resources/tile_data.h"

namespace {

constexpr int COLUMNS = 30;
constexpr int ROWS = 16;
constexpr int HIDDEN = 10;

bool shows_tile(const QImage& shot, int px, int py, int tile)
{
    for (int row = 0; row < 16; row++)
        for (int column = 0; column < 16; column++) {
            const uint8_t* rgb = palette_rgb[tile_pixels[tile][row][column]];
            if (shot.pixel(px + column, py + row) != qRgb(rgb[0], rgb[1], rgb[2]))
                return false;
        }
    return true;
}

int tile_at(const QImage& shot, int ox, int oy, int x, int y)
{
    for (int tile = 0; tile < 13; tile++)
        if (shows_tile(shot, ox + x * 16 + 1, oy + y * 16 + 1, tile))
            return tile;
    return -1;
}

// The field's origin: a white pixel with the top-left cell one pixel below and
// right of it, and the rest of the first row of cells showing tiles.
bool find_field(const QImage& shot, int* ox, int* oy)
{
    for (int y = 0; y + ROWS * 16 + 1 <= shot.height(); y++)
        for (int x = 0; x + COLUMNS * 16 + 1 <= shot.width(); x++) {
            if (shot.pixel(x, y) != qRgb(255, 255, 255) || tile_at(shot, x, y, 0, 0) < 0)
                continue;
            bool row_of_tiles = true;
            for (int column = 1; column < COLUMNS && row_of_tiles; column++)
                row_of_tiles = tile_at(shot, x, y, column, 0) >= 0;
            if (row_of_tiles) {
                *ox = x;
                *oy = y;
                return true;
            }
        }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (std::strcmp(argv[2], "hidden") != 0 && std::strcmp(argv[2], "playing") != 0)) {
        std::fprintf(stderr, "usage: screen_check SHOT.png hidden|playing\n");
        return 2;
    }
    QImage shot(argv[1]);
    if (shot.isNull()) {
        std::fprintf(stderr, "screen_check: cannot read %s\n", argv[1]);
        return 2;
    }
    shot = shot.convertToFormat(QImage::Format_RGB32);
    int ox = 0;
    int oy = 0;
    if (!find_field(shot, &ox, &oy)) {
        std::fprintf(stderr, "screen_check: no field of tiles in %s\n", argv[1]);
        return 1;
    }
    std::printf("origin %d %d\n", ox, oy);
    bool playing = std::strcmp(argv[2], "playing") == 0;
    int hidden = 0;
    for (int y = 0; y < ROWS; y++)
        for (int x = 0; x < COLUMNS; x++) {
            int tile = tile_at(shot, ox, oy, x, y);
            if (tile < 0 || (!playing && tile != HIDDEN)) {
                std::fprintf(stderr, "screen_check: cell (%d, %d) shows %s\n", x, y,
                             tile < 0 ? "no tile" : "another tile than the hidden one");
                return 1;
            }
            hidden += tile == HIDDEN;
        }
    if (playing && hidden == COLUMNS * ROWS) {
        std::fprintf(stderr, "screen_check: every cell is still hidden\n");
        return 1;
    }
    return 0;
}
