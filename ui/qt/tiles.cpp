// Tiles from the compiled-in pictures, and print_cell().
#include "ui/qt/tiles.h"

#include <QPixmap>
#include <cstring>

#include "driver/state.h"
#include "resources/tile_data.h"
#include "ui/common/geometry.h"

QImage tile_images[TILE_COUNT];

namespace {
// An RGB image from palette indices, row 0 at the top; null if it could not be made.
QImage palette_image(const uint8_t* pixels, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            const uint8_t* rgb = palette_rgb[pixels[y * width + x] & 15];
            image.setPixel(x, y, qRgb(rgb[0], rgb[1], rgb[2]));
        }
    return image;
}
}  // namespace

int load_tiles()
{
    for (int i = 0; i < TILE_COUNT; i++) {
        tile_images[i] = palette_image(&tile_pixels[i][0][0], TILE_SIZE, TILE_SIZE);
        if (tile_images[i].isNull())
            return 0;
    }
    return 1;
}

QIcon program_icon()
{
    return QIcon(QPixmap::fromImage(palette_image(&icon_pixels[0][0], 32, 32)));
}

void blit_tile(QImage& picture, int tile, int px, int py)
{
    const QImage& source = tile_images[tile];
    std::size_t row_bytes = static_cast<std::size_t>(source.width()) * 4;
    for (int row = 0; row < source.height(); row++)
        std::memcpy(picture.scanLine(py + row) + px * 4, source.constScanLine(row), row_bytes);
}

void print_cell(int x, int y, QImage& picture)
{
    if (killthread)
        return;
    blit_tile(picture, choose_tile(x, y), cell_left(x), cell_top(y));
}
