// The menu of every window front end as one table: the Win32 resource script
// (written from it by resources/generator), Qt's menu bar, the terminal's
// command lines and keys, and the web page's menu all follow it. Data only,
// so that the resource generator can read it without the rest of the program.
#pragma once

#include "resources/resource_ids.h"

enum menu_kind {
    MENU_POPUP,      // starts a menu of the bar; the rows up to the next popup are its entries
    MENU_COMMAND,
    MENU_CHECK,      // an option, shown with a check mark while it is on
    MENU_SEPARATOR,
    MENU_RADIO,      // one of a group of which one is on, shown with a dot
    MENU_RULES,      // stands for the guessing rules: menu_entries() makes it a radio entry a rule
};

// What run_command() does for an entry.
enum menu_action {
    ACTION_NONE,
    ACTION_EXIT,
    ACTION_SOLVE,
    ACTION_STOP,
    ACTION_TOGGLE,  // flips the entry's option
    ACTION_ABOUT,
    ACTION_RULE,    // makes the rule with index id - IDM_FIRST_RULE the guess's
};

struct menu_row {
    menu_kind kind;
    int id;              // the command id; 0 for a popup or a separator
    const char* label;   // & before the mnemonic
    menu_action action;
    char key;            // the terminal's key; 0 for none
    // Shown by the Qt program, the page and the terminal, never in
    // orvanta.exe's menu, which stays the classic program's.
    bool beyond_classic = false;
};

inline constexpr menu_row MENU_ROWS[] = {
    {MENU_POPUP, 0, "&File", ACTION_NONE, 0},
    {MENU_COMMAND, IDM_SOLVE, "&Solve", ACTION_SOLVE, 'S'},
    {MENU_COMMAND, IDM_STOP, "S&top Solving", ACTION_STOP, 'T'},
    {MENU_SEPARATOR, 0, "", ACTION_NONE, 0},
    {MENU_COMMAND, IDM_EXIT, "&Exit", ACTION_EXIT, 'E'},
    {MENU_POPUP, 0, "&Edit", ACTION_NONE, 0},
    {MENU_CHECK, IDM_NONSTOP, "&Nonstop", ACTION_TOGGLE, 'N'},
    {MENU_CHECK, IDM_GOSLOW, "&Go Slow", ACTION_TOGGLE, 'G'},
    {MENU_CHECK, IDM_GUESS, "&Allow Guessing", ACTION_TOGGLE, 'A'},
    {MENU_SEPARATOR, 0, "", ACTION_NONE, 0, true},
    {MENU_RULES, IDM_FIRST_RULE, "", ACTION_RULE, 0, true},
    {MENU_SEPARATOR, 0, "", ACTION_NONE, 0, true},
    {MENU_CHECK, IDM_CHANCES, "Show &Chances", ACTION_TOGGLE, 'C', true},
    {MENU_POPUP, 0, "&Help", ACTION_NONE, 0},
    // Its mnemonic is Allow Guessing's too, so the terminal takes its menu's: H.
    {MENU_COMMAND, IDM_ABOUT, "&About", ACTION_ABOUT, 'H'},
};
