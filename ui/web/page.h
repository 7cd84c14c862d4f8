// What the program asks of the page's JavaScript (page_library.js): the
// status bar, the menu's check marks, message boxes, the field's cursor and
// label, animation frames, the solver's turns, the browser's storage and the
// download.
#pragma once

#include <cstdint>

// A field's outcome, as page_describe_field() tells it.
inline constexpr int FIELD_PLAYING = 0;
inline constexpr int FIELD_LOST = 1;
inline constexpr int FIELD_WON = 2;

extern "C" {
void page_show_status(int part, const char* text);
void page_show_check_marks();  // every check mark follows web_is_checked()
// caption null: the box has no caption of its own; information: 1 shows the information icon.
void page_message_box(const char* caption, const char* text, int information);
// The picture the canvas shows: width by height pixels, 4 bytes each (red, green, blue, alpha).
void page_set_picture(const uint8_t* pixels, int width, int height);
// The cursor is on cell (x, y), whose tile is size pixels from pixel (left, top) of the picture.
void page_show_cursor(int x, int y, int left, int top, int size);
// The field's counts, for its label; outcome is one of FIELD_PLAYING, FIELD_LOST, FIELD_WON.
void page_describe_field(int hidden, int flagged, int opened, int outcome);
void page_request_frame();      // web_frame() runs at the next animation frame
void page_start_solver();  // web_solver_entry() runs as a task of its own
void page_yield();              // suspends the solver until the browser has had its turn
// Fills values[0..count-1] from the browser's storage; returns 0 (values untouched) if none are stored or they are unreadable.
int page_load_statistics(int32_t* values, int count);
void page_save_statistics(const int32_t* values, int count);
void page_offer_download(const char* name);  // offers the file of that name as a download
// The overlay of chances: count chances of a mine (-1: no tint), columns a
// row, chosen outlined, reason under the window; count 0 clears the overlay.
void page_show_chances(const float* chance, int count, int columns, int chosen, const char* reason);
void page_trace_cell(int x, int y, int value);
void page_trace_text(const char* text);
}
