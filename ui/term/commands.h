// The menu's commands as keys: the lines that list them with the options'
// states, and what each does.
#pragma once

#include <string>

// Set by Exit; the loop then ends and the program shuts down.
extern bool exit_chosen;
// Why Exit could not write the statistics file, or empty.
extern std::string exit_failure;

// Draws the command lines: each menu with its keys and the options' states.
void draw_commands();

// Runs the command whose key this is, in either case; other keys do nothing.
void run_command_key(int key);

// Runs the command with this id, as its key would (Solve, as a chosen cell starts it).
void run_entry(int id);

// The keys, from the menu table, and their aliases, as one sentence:
//   Keys: S Solve, T Stop Solving, ..., H About; q or Escape: Exit; F1 or ?: About.
std::string key_words();
