// Test tool: finds the field in a screenshot and prints "origin X Y", the screen
// position of its top-left pixel, then the margin and the tile each cell shows (see tile_reader.h).
// Exits 1 when no white pixel has a first row of cells showing tiles beside it.
#include <QImage>
#include <cstdio>

#include "tests/e2e/win32/tile_reader.h"

int main(int argc, char** argv)
{
    QImage shot = argc == 2 ? QImage(argv[1]).convertToFormat(QImage::Format_RGB32) : QImage();
    if (shot.isNull()) {
        std::fprintf(stderr, "usage: screen_check SHOT.png (a readable picture)\n");
        return 2;
    }
    auto rgb = [&](int x, int y) { return shot.pixel(x, y) & 0xFFFFFFu; };
    for (int oy = 0; oy + FIELD_ROWS * TILE_SIZE + 1 <= shot.height(); oy++)
        for (int ox = 0; ox + FIELD_COLUMNS * TILE_SIZE + 1 <= shot.width(); ox++) {
            bool row_of_tiles = rgb(ox, oy) == 0xFFFFFF;
            for (int x = 0; x < FIELD_COLUMNS && row_of_tiles; x++)
                row_of_tiles = tile_at(rgb, ox, oy, x, 0) >= 0;
            if (row_of_tiles) {
                std::printf("origin %d %d\n%s", ox, oy, cells_shown(rgb, ox, oy).c_str());
                return 0;
            }
        }
    std::fprintf(stderr, "screen_check: no field of tiles in %s\n", argv[1]);
    return 1;
}
