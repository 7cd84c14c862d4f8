// The two-part status bar: part 0 the status text, part 1 the statistics.
#pragma once

class QLabel;
class QWidget;

extern QWidget* status_bar;
extern QLabel* status_parts[2];

// Builds the bar for a client area this wide; both parts start with "-".
QWidget* create_status_bar(int client_width);
