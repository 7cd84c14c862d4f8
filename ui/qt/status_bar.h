// The two-part status bar: part 0 the status text, part 1 the statistics.
#pragma once

class QLabel;
class QWidget;

extern QWidget* hWndStatus;
extern QLabel* status_parts[2];

// Builds the bar for a client area this wide: part 0 ends at width / 2 - 64,
// part 1 runs to the right border; both start with "-".
QWidget* create_status_bar(int client_width);

// Shows text in part 0 or 1 (window thread only).
void set_status_part(int part, const char* text);
