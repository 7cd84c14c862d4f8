// start_up(), run_command() and the status bar's full rewrite.
#include "ui/common/front_end.h"

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "engine/layout.h"
#include "ui/common/menu_table.h"

namespace {

const menu_row* row_of(int id)
{
    for (const menu_row& row : MENU_ROWS)
        if (row.id == id && row.kind != MENU_POPUP && row.kind != MENU_SEPARATOR)
            return &row;
    return nullptr;
}

}  // namespace

const char* start_up(const char* (*open_window)())
{
    set_start_values();
    if (!allocate_arrays())
        return "Memory allocation error";
    if (const char* failure = open_window())
        return failure;
    layout_minefield(xdim * ydim, mines, 1);
    return nullptr;
}

command_outcome run_command(int id)
{
    command_outcome outcome;
    const menu_row* row = row_of(id);
    switch (row ? row->action : ACTION_NONE) {
    case ACTION_EXIT:
        outcome.box_text = shut_down();
        outcome.box_information = true;
        outcome.quit = true;
        break;
    case ACTION_SOLVE:
        solve_command();
        break;
    case ACTION_STOP:
        stop_command();
        outcome.repaint = true;
        break;
    case ACTION_TOGGLE:
        toggle_option(*option_of(id));
        outcome.check_marks = true;
        outcome.repaint = true;
        break;
    case ACTION_ABOUT:
        outcome.box_caption = ABOUT_CAPTION;
        outcome.box_text = ABOUT_TEXT;
        break;
    case ACTION_NONE:
        outcome.box_text = UNDEFINED_COMMAND_TEXT;
        outcome.box_information = true;
        break;
    }
    return outcome;
}

std::atomic<int32_t>* option_of(int id)
{
    switch (id) {
    case IDM_NONSTOP:
        return &nonstop;
    case IDM_GOSLOW:
        return &goslow;
    case IDM_GUESS:
        return &allow_guessing;
    default:
        return nullptr;
    }
}

bool is_checked(int id)
{
    std::atomic<int32_t>* option = option_of(id);
    return option && *option != 0;
}

void rewrite_status_parts()
{
    print_stats();
    char status[STATUS_TEXT_SIZE];
    copy_glob_status(status);
    set_status_text(0, status);
}
