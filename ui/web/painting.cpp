// Marks, and drawing them into the picture at each animation frame.
#include "ui/web/painting.h"

#include <emscripten.h>

#include <cstring>
#include <vector>

#include "driver/bridge.h"
#include "driver/state.h"
#include "engine/board.h"
#include "resources/tile_data.h"
#include "ui/common/front_end.h"
#include "ui/common/geometry.h"
#include "ui/common/tile_choice.h"
#include "ui/web/chances.h"
#include "ui/web/field_access.h"
#include "ui/web/page.h"

namespace {
bool frame_requested;
}  // namespace

void request_frame()
{
    if (frame_requested)
        return;
    frame_requested = true;
    page_request_frame();
}

namespace {

enum cell_mark : uint8_t { MARK_NONE, MARK_HIDDEN, MARK_BOARD };

constexpr int PIXEL_BYTES = 4;
uint8_t tile_colours[TILE_COUNT][TILE_SIZE][TILE_SIZE][PIXEL_BYTES];
std::vector<uint8_t> picture;
std::vector<uint8_t> marks;  // one per cell, index x + y * xdim
bool cells_marked;
bool repaint_marked;
char status_text[2][STATUS_TEXT_SIZE];
bool status_marked[2];

void mark_all(cell_mark mark)
{
    std::memset(marks.data(), mark, marks.size());
    cells_marked = true;
    request_frame();
}

void blit_tile(int tile, int x, int y)
{
    int width = field_width();
    for (int row = 0; row < TILE_SIZE; row++)
        std::memcpy(&picture[((cell_top(y) + row) * width + cell_left(x)) * PIXEL_BYTES], tile_colours[tile][row],
                    sizeof tile_colours[tile][row]);
}

// Draws the marked cells; while shutting down only a new field is drawn, as on the desktop.
void draw_marked_cells()
{
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++) {
            uint8_t& mark = marks[x + y * xdim];
            if (mark == MARK_HIDDEN)
                blit_tile(TILE_HIDDEN, x, y);
            else if (mark == MARK_BOARD && !killthread)
                blit_tile(choose_tile(x, y), x, y);
            mark = MARK_NONE;
        }
}

// The status parts a repaint shows. Once Exit has begun its own texts stay.
void repaint_status()
{
    if (!killthread)
        rewrite_status_parts();
}

}  // namespace

void open_picture()
{
    for (int tile = 0; tile < TILE_COUNT; tile++)
        for (int row = 0; row < TILE_SIZE; row++)
            for (int column = 0; column < TILE_SIZE; column++) {
                const uint8_t* rgb = palette_rgb[tile_pixels[tile][row][column] & 15];
                uint8_t* pixel = tile_colours[tile][row][column];
                std::memcpy(pixel, rgb, 3);
                pixel[3] = 255;
            }
    picture.assign(std::size_t(field_width()) * field_height() * PIXEL_BYTES, 255);
    marks.assign(std::size_t(xdim) * ydim, MARK_NONE);
    page_set_picture(picture.data(), field_width(), field_height());
}

void mark_cell(int x, int y)
{
    clear_marked_chances();
    marks[x + y * xdim] = MARK_BOARD;
    cells_marked = true;
    request_frame();
}

void mark_new_field()
{
    clear_marked_chances();
    mark_all(MARK_HIDDEN);
}

void mark_repaint()
{
    repaint_marked = true;
    mark_all(MARK_BOARD);
}

void mark_status(int part, const char* text)
{
    std::strncpy(status_text[part], text, STATUS_TEXT_SIZE - 1);
    status_marked[part] = true;
    request_frame();
}

EMSCRIPTEN_KEEPALIVE int web_frame()
{
    bool changed = cells_marked;
    if (cells_marked) {
        cells_marked = false;
        draw_marked_cells();
        describe_field();
    }
    if (repaint_marked) {
        repaint_marked = false;
        repaint_status();
    }
    draw_marked_chances();
    for (int part = 0; part < 2; part++)
        if (status_marked[part]) {
            status_marked[part] = false;
            page_show_status(part, status_text[part]);
        }
    // Cleared last: what this frame marked itself is drawn above.
    frame_requested = false;
    return changed;
}
