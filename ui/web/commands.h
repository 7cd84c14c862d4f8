// The menu's commands and a press on the field, as the page hands them over.
#pragma once

// Ends an Exit that waited for the solver; called when the solver ends.
void finish_pending_exit();

extern "C" {
// A menu command by its id (resources/resource_ids.h).
void web_command(int id);
// A press of the main button at field pixel (px, py).
void web_press(int px, int py);
// 1 while the menu entry with this id shows a check mark.
int web_is_checked(int id);
// The menu table, as JSON, for the page to build its menu from.
const char* web_menu();
}
