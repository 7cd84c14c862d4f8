// The main window's messages and their handlers, as the window thread runs them.
#pragma once

#include <QImage>
#include <cstdint>

inline constexpr uint32_t WM_PAINT = 15;     // repaint the whole field and both status parts
inline constexpr uint32_t WM_COMMAND = 273;  // wParam's low 16 bits: the command id

// What the window shows of the field: xdim * 16 + 1 by ydim * 16 + 1 pixels,
// white where no tile covers it. The field view paints from it.
extern QImage field_picture;

// Runs one message on the window thread.
void handle_window_message(uint32_t message, intptr_t wparam, intptr_t lparam);

// Asks for a full repaint (field and both status parts) once the window
// thread is next idle; several requests make one repaint.
void invalidate_window();

// The full repaint itself, run by the field view's paint when one was asked for.
void paint_window();
