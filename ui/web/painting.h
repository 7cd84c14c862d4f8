// The field's picture: what the solver shows is marked, and drawn into the
// picture once per animation frame, so no change is lost however many come.
#pragma once

#include <cstdint>

// Makes the picture (white), hands it to the page, and the tiles' colours;
// called once at start.
void open_picture();

// web_frame() runs at the next animation frame (asked once however often called).
void request_frame();

// The cell is drawn from the board as it is at the next frame.
void mark_cell(int x, int y);
// Every cell is drawn hidden at the next frame, without reading the board.
void mark_new_field();
// Every cell from the board and both status parts, at the next frame.
void mark_repaint();
// Status part 0 or 1 shows text from the next frame on.
void mark_status(int part, const char* text);

// Draws what was marked; returns 1 if the picture changed.
extern "C" int web_frame();
