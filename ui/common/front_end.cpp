// start_up(), run_command() and the status bar's full rewrite.
#include "ui/common/front_end.h"

#include <cctype>
#include <cstring>
#include <iterator>

#include "driver/bridge.h"
#include "driver/chances.h"
#include "driver/commands.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "engine/guess_rules.h"
#include "engine/layout.h"
#include "engine/relaxed.h"

namespace {

const menu_row* row_of(int id)
{
    for (const menu_row& row : menu_entries())
        if (row.id == id && row.kind != MENU_POPUP && row.kind != MENU_SEPARATOR)
            return &row;
    return nullptr;
}

// The letters that the keys of every entry and the mnemonics of the entries
// of popup's menu already stand for.
std::string letters_in_use(const menu_row* popup)
{
    std::string used;
    for (const menu_row& row : MENU_ROWS)
        used += row.key;
    for (const menu_row* row = popup + 1; row != std::end(MENU_ROWS) && row->kind != MENU_POPUP; row++)
        if (const char* mark = std::strchr(row->label, '&'))
            used += char(std::toupper(static_cast<unsigned char>(mark[1])));
    return used;
}

std::vector<menu_row> make_menu_entries()
{
    // The labels outlive every call: the entries point into them.
    static std::vector<std::string> labels(GUESS_RULE_COUNT);
    std::vector<menu_row> entries;
    const menu_row* popup = MENU_ROWS;
    for (const menu_row& row : MENU_ROWS) {
        popup = row.kind == MENU_POPUP ? &row : popup;
        if (row.kind != MENU_RULES) {
            entries.push_back(row);
            continue;
        }
        std::string used = letters_in_use(popup);
        for (std::size_t rule = 0; rule < labels.size(); rule++) {
            std::string& label = labels[rule];
            label = rule_title(int(rule)) + " Guess";
            std::size_t at = 0;
            auto letter = [&label](std::size_t i) { return char(std::toupper(static_cast<unsigned char>(label[i]))); };
            while (at < label.size() && (!std::isalpha(static_cast<unsigned char>(label[at])) ||
                                         used.find(letter(at)) != std::string::npos))
                at++;
            char key = letter(at);
            used += key;
            label.insert(at, "&");
            entries.push_back({MENU_RADIO, row.id + int(rule), label.c_str(), row.action, key, true});
        }
    }
    return entries;
}

}  // namespace

const std::vector<menu_row>& menu_entries()
{
    static const std::vector<menu_row> entries = make_menu_entries();
    return entries;
}

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
    case ACTION_RULE:
        relaxed_store(guess_rule, int32_t(id - IDM_FIRST_RULE));
        outcome.check_marks = true;
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
    case IDM_CHANCES:
        return &chances_shown;
    default:
        return nullptr;
    }
}

bool is_checked(int id)
{
    const menu_row* row = row_of(id);
    if (row && row->action == ACTION_RULE)
        return relaxed_load(guess_rule) == id - IDM_FIRST_RULE;
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
