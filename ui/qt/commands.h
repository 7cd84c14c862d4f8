// The menu bar and its commands.
#pragma once

class QMenuBar;
class QWidget;

// The menu table's entries as the bar's menus and actions, each action
// carrying its command id; window owns the bar and the boxes commands show.
QMenuBar* create_menu_bar(QWidget* window);

// Sets every check mark from is_checked().
void sync_check_marks();

// Runs the command with this id through the core and shows what it asks
// for: a box, the check marks, a repaint, the end of the loop.
void handle_command(int id);

// Has the command run from the event loop, after what is queued already, as
// a menu choice or a press does.
void post_command(int id);

// A modal box with the information icon and the platform's default title.
void show_information_box(QWidget* owner, const char* text);
