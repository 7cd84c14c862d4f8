// The menu commands, one handler each.
#pragma once

class QWidget;

// Runs the command with this id; an id without a command shows
// "Undefined Menu Command!".
void handle_command(int id);

// A modal box with the information icon and the platform's default title.
void show_information_box(QWidget* owner, const char* text);
