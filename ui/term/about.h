// The About box, drawn over the field until a key is pressed; the solver
// plays on beneath it.
#pragma once

int about_box_rows();
int about_box_columns();

void show_about();
int about_shown();
void close_about();

// Puts the box over what the refresh is about to send, if it is shown.
void overlay_about();
