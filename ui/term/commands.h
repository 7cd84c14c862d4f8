// The menu's commands as keys: the line that lists them with the options'
// states, and what each does.
#pragma once

// Set by Exit; the loop then ends and the program shuts down.
extern bool exit_chosen;

// Draws the two command lines: File and Help, then Edit with the options' states.
void draw_commands();

// Runs the command whose key this is, in either case; other keys do nothing.
void run_command_key(int key);
