// The menu commands, one handler each.
#pragma once

class QWidget;

// Runs the command with this id; an id without a command shows
// "Undefined Menu Command!".
void handle_command(int id);

// Has the command run from the event loop, after what is queued already, as
// a menu choice or a press does.
void post_command(int id);

// A modal box with the information icon and the platform's default title.
void show_information_box(QWidget* owner, const char* text);
