// The About box, drawn over the field until a key is pressed; the solver
// plays on beneath it.
#pragma once

int about_box_rows();
int about_box_columns();

// The About text's box (the largest a command shows), with this caption and
// text, which must be no larger.
void show_about(const char* caption, const char* text);
int about_shown();
void close_about();
// Made again at the screen's new size, so that a resize never leaves it cut
// off; a screen too small for it shows it once it is large enough.
void redraw_about();
