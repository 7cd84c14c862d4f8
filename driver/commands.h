// What the menu commands do, whatever the window system.
#pragma once

#include <atomic>
#include <cstdint>

#include "version.h"

// Solve: withdraw a pending stop, start the solver thread if none runs (and
// never after shut_down), refresh the statistics text.
void solve_command();

// Stop Solving: the solver ends after its current game.
void stop_command();

// Flips an option flag (0 or 1) and returns its new value, which the menu's
// check mark then follows.
int32_t toggle_option(std::atomic<int32_t>& flag);

inline constexpr const char* ABOUT_CAPTION = "About";
inline constexpr const char* ABOUT_TEXT =
    "Orvanta\n"
    "Version " ORVANTA_FILE_VERSION "\n"
    "\n"
    "Click on any square, or select \"Solve\" from the File\n"
    "menu to start playing.\n"
    "Select \"Stop Solving\" from the File menu to stop after\n"
    "the current game is complete.\n"
    "\n"
    "Options include: Stop on successful game or run non-stop,\n"
    "slow display or full-speed operation,\n"
    "and allow guessing when logic fails, or play by logic only.\n"
    "\n"
    "Statistics are saved upon program exit in \"qxscores.txt\".\n"
    "These statistics show the number of games played at\n"
    "each possible score outcome.\n"
    "Information is shown on the status line for total number\n"
    "of games played, number of games won, and either the number\n"
    "of games that were \"no-start\" (no second moves could be\n"
    "logically deduced), or total number of guesses made.\n";
inline constexpr const char* UNDEFINED_COMMAND_TEXT = "Undefined Menu Command!";
