// The terminal screen: the curses session, where things lie on it, and the
// pace of its refreshes.
#pragma once

// Where things lie, in character cells: three lines of commands, the field in
// a frame, the status line.
inline constexpr int COMMAND_ROWS = 3;
inline constexpr int FRAME_TOP = COMMAND_ROWS;
inline constexpr int FIELD_TOP = FRAME_TOP + 1;  // row of the field's row 0
inline constexpr int FIELD_LEFT = 1;             // column of the field's column 0
inline constexpr int CELL_COLUMNS = 2;           // a cell is two characters wide
inline constexpr int STATUS_COLUMNS = 80;        // what the two status parts need

#include <curses.h>

int status_row();
// The smallest terminal that shows everything; below it a message says so.
int needed_rows();
int needed_columns();
int screen_fits();

// The screen is large enough only with room for a box of this size too.
void make_room_for_box(int rows, int columns);

// A box drawn over everything at each refresh (null: none).
void show_over_screen(WINDOW* window);

// Opens curses on the terminal (0: it cannot be used), sets the modes and
// the mouse, and arranges for the terminal to be put back
// even if the program dies of a fault.
int open_screen();
void close_screen();

// Where the terminal's cursor rests between refreshes.
void rest_cursor_at(int row, int column);

// Something was drawn: the loop refreshes the screen once refresh_wait_ms()
// comes down to 0, so that a fast solver never floods the terminal.
void screen_changed();
// Milliseconds until the next refresh is due; -1 when nothing waits for one.
int refresh_wait_ms();
// Sends what changed since the last refresh to the terminal.
void refresh_screen();

// The next key, mouse event or resize, or ERR when none is waiting. Reading
// never refreshes the screen by itself, so the pace above holds.
int next_key();
