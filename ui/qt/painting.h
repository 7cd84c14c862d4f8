// The field as the window shows it, and its repaints.
#pragma once

#include <QImage>

// What the window shows of the field, field_width() by field_height() pixels,
// white where no tile covers it. The field view paints from it.
extern QImage field_picture;

// The full repaint asked for by invalidate_window(): every cell from the
// board and both status parts. Run by the field view's paint; does nothing
// when no full repaint is pending.
void paint_window();
