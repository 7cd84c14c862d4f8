// The keys are the menu's mnemonics; About, whose mnemonic Allow Guessing
// already has, takes its menu's: H for Help.
#include "ui/term/commands.h"

#include <curses.h>

#include <atomic>
#include <cctype>
#include <cstdint>

#include "driver/commands.h"
#include "resources/resource_ids.h"
#include "ui/common/menu_options.h"
#include "ui/common/window_queue.h"
#include "ui/term/about.h"

bool exit_chosen;

namespace {

struct menu_key {
    int row;
    const char* menu;  // shown before the first key of each menu
    char key;
    const char* text;
    int id;
};
const menu_key MENU_KEYS[] = {
    {0, "File:", 'S', "Solve", IDM_SOLVE},
    {0, nullptr, 'T', "Stop Solving", IDM_STOP},
    {0, nullptr, 'E', "Exit", IDM_EXIT},
    {0, "  Help:", 'H', "About", IDM_ABOUT},
    {1, "Edit:", 'N', "Nonstop", IDM_NONSTOP},
    {1, nullptr, 'G', "Go Slow", IDM_GOSLOW},
    {1, nullptr, 'A', "Allow Guessing", IDM_GUESS},
};

void run_command(const menu_key& command)
{
    switch (command.id) {
    case IDM_EXIT:
        exit_chosen = true;
        break;
    case IDM_SOLVE:
        solve_command(stdscr);
        break;
    case IDM_ABOUT:
        show_about();
        break;
    case IDM_STOP:
        stop_command();
        invalidate_window();
        break;
    default:
        toggle_option(*option_of(command.id));
        invalidate_window();
        break;
    }
}

}  // namespace

void draw_commands()
{
    int row = -1;
    for (const menu_key& command : MENU_KEYS) {
        if (command.row != row) {
            row = command.row;
            move(row, 0);
            clrtoeol();
        }
        if (command.menu)
            printw("%s ", command.menu);
        attron(A_BOLD);
        addch(static_cast<chtype>(command.key));
        attroff(A_BOLD);
        if (std::atomic<int32_t>* option = option_of(command.id))
            addstr(*option ? " [x]" : " [ ]");
        printw(" %s  ", command.text);
    }
}

void run_command_key(int key)
{
    if (key < 0 || key > 255)
        return;
    for (const menu_key& command : MENU_KEYS)
        if (std::toupper(key) == command.key)
            run_command(command);
}
