// Drawing the solver's redraws into the field's picture, and the full repaint.
#include "ui/qt/painting.h"

#include "engine/board.h"
#include "ui/common/front_end.h"
#include "ui/common/geometry.h"
#include "ui/common/window_queue.h"
#include "ui/qt/chances_view.h"
#include "ui/qt/main_window.h"
#include "ui/qt/tiles.h"

QImage field_picture;

namespace {
bool full_paint_pending;
}  // namespace

void draw_cell(int x, int y)
{
    clear_chances();
    print_cell(x, y, field_picture);
    field_view->update(QRect(cell_left(x), cell_top(y), TILE_SIZE, TILE_SIZE));
}

void draw_new_field()
{
    clear_chances();
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++)
            blit_tile(field_picture, TILE_HIDDEN, cell_left(x), cell_top(y));
    field_view->update();
}

void invalidate_window()
{
    full_paint_pending = true;
    field_view->update();
}

void paint_window()
{
    if (!full_paint_pending)
        return;
    full_paint_pending = false;
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++)
            print_cell(x, y, field_picture);
    rewrite_status_parts();
}
