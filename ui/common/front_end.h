// The front-end core: what every window front end does the same way. The
// start-up, every menu command, and the status bar's full rewrite are here;
// a front end only draws, maps its input to cells and command ids, and shows
// what a command asks it to show.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/common/menu_table.h"

// Start values, arrays, then the front end's own window (open_window returns
// null or the text of its failure), then the field that no game plays, laid
// before the first paint reads it. Returns null, or the failure text for a
// box with no owner.
const char* start_up(const char* (*open_window)());

// What a command leaves to the front end to show, in this order: a box, the
// menu's check marks, a repaint of the whole window, the end of the program.
struct command_outcome {
    std::string box_text;             // empty: no box
    const char* box_caption = nullptr;  // null: the platform's default ("Error" on Windows)
    bool box_information = false;     // the information icon, rather than none
    bool check_marks = false;         // an option changed: every check mark follows is_checked()
    bool repaint = false;
    bool quit = false;
};

// The menu as the Qt program, the page and the terminal show it: the table's
// rows, with the guessing rules' row made into one radio entry a rule
// ("Random Guess", ...), each with the first letter of its label that no
// entry of its menu has as mnemonic and no entry has as key.
const std::vector<menu_row>& menu_entries();

// Runs the command with this id once, whatever the window system: Exit's
// orderly stop (a statistics file that could not be written comes back as a
// box), Solve, Stop Solving, the options, About, and a box for an id that is
// no command.
command_outcome run_command(int id);

// The flag behind an option's entry, or null when id is no option.
std::atomic<int32_t>* option_of(int id);

// Whether the entry with this id shows a check mark (a dot for a rule) now.
bool is_checked(int id);

// Window thread, on a full repaint: the statistics text into part 1 and the
// last status into part 0, which keeps showing it even while shutting down.
void rewrite_status_parts();
