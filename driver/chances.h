// What a watcher is shown at a guess with Show Chances on.
#pragma once

#include <string>

// How the menus and the reasons name the guessing rule of that row: "Random".
std::string rule_title(int rule);

// Solver thread, before the guessed hidden cell at index opens: every hidden
// cell's chance of a mine and the reason for the guess go to the window side,
// the short reason to the status bar; with Go Slow on, the picture is held
// for the Go Slow pause.
void show_guess_chances(int index);
