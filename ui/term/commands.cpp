// The menu table as keys: the command lines with the options' states, and a
// key runs its entry's command through the front-end core.
#include "ui/term/commands.h"

#include <curses.h>

#include <cctype>
#include <cstring>

#include "ui/common/front_end.h"
#include "resources/resource_ids.h"
#include "ui/common/window_queue.h"
#include "ui/term/about.h"
#include "ui/term/screen.h"

bool exit_chosen;
std::string exit_failure;

namespace {

constexpr int LINE_COLUMNS = 80;
constexpr int MENU_GAP = 2;  // columns between two menus on one line

// A label as shown: without the '&' that marks its mnemonic.
std::string plain_label(const char* label)
{
    std::string plain;
    for (const char* c = label; *c; c++)
        if (*c != '&')
            plain += *c;
    return plain;
}

void add_label(const char* label)
{
    addstr(plain_label(label).c_str());
}

int label_width(const char* label)
{
    return static_cast<int>(std::strlen(label)) - (std::strchr(label, '&') ? 1 : 0);
}

// The entries of the menu that starts at popup: those with a key.
template <typename F>
void for_each_entry(std::vector<menu_row>::const_iterator popup, F visit)
{
    for (auto row = popup + 1; row != menu_entries().end() && row->kind != MENU_POPUP; row++)
        if (row->key)
            visit(*row);
}

// An entry as "K [x] Label  ", "K (*) Label  " for a rule.
int entry_width(const menu_row& row)
{
    return 1 + (row.kind == MENU_CHECK || row.kind == MENU_RADIO ? 4 : 0) + 1 + label_width(row.label) + 2;
}

// "Title: " and every entry.
int menu_width(std::vector<menu_row>::const_iterator popup)
{
    int width = label_width(popup->label) + 2;
    for_each_entry(popup, [&width](const menu_row& row) { width += entry_width(row); });
    return width;
}

// From line on: an entry that would pass the line's end goes on the next
// line, under the first entry. Returns the last line used.
int draw_menu(std::vector<menu_row>::const_iterator popup, int line)
{
    add_label(popup->label);
    addstr(": ");
    int indent = label_width(popup->label) + 2;
    for_each_entry(popup, [&line, indent](const menu_row& row) {
        if (getcurx(stdscr) + entry_width(row) > LINE_COLUMNS && line + 1 < COMMAND_ROWS)
            move(++line, indent);
        attron(A_BOLD);
        addch(static_cast<unsigned char>(row.key));
        attroff(A_BOLD);
        if (row.kind == MENU_CHECK)
            addstr(is_checked(row.id) ? " [x]" : " [ ]");
        if (row.kind == MENU_RADIO)
            addstr(is_checked(row.id) ? " (*)" : " ( )");
        addch(' ');
        add_label(row.label);
        addstr("  ");
    });
    return line;
}

void show_outcome(const command_outcome& outcome)
{
    if (outcome.quit) {
        // Shown once the terminal is put back.
        exit_failure = outcome.box_text;
        exit_chosen = true;
        return;
    }
    if (!outcome.box_text.empty())
        show_about(outcome.box_caption, outcome.box_text.c_str());
    if (outcome.check_marks)
        draw_commands();
    if (outcome.repaint)
        invalidate_window();
}

}  // namespace

void draw_commands()
{
    // Each menu goes on the first line with room for it: File and Help share
    // one. Edit, wider than a line, takes the lines below it.
    int used[COMMAND_ROWS] = {};
    for (int line = 0; line < COMMAND_ROWS; line++) {
        move(line, 0);
        clrtoeol();
    }
    for (auto popup = menu_entries().begin(); popup != menu_entries().end(); popup++) {
        if (popup->kind != MENU_POPUP)
            continue;
        int width = menu_width(popup);
        int line = 0;
        while (line + 1 < COMMAND_ROWS && used[line] > 0 && used[line] + MENU_GAP + width > LINE_COLUMNS)
            line++;
        move(line, used[line] + (used[line] > 0 ? MENU_GAP : 0));
        used[line] += (used[line] > 0 ? MENU_GAP : 0) + width;
        for (int last = draw_menu(popup, line); line < last;)
            used[++line] = LINE_COLUMNS;
    }
}

void run_command_key(int key)
{
    if (key < 0 || key > 255)
        return;
    for (const menu_row& row : menu_entries())
        if (row.key && std::toupper(key) == row.key)
            show_outcome(run_command(row.id));
}

void run_entry(int id)
{
    show_outcome(run_command(id));
}

std::string key_words()
{
    std::string words = "Keys:";
    for (const menu_row& row : menu_entries())
        if (row.key)
            words += std::string(words.size() > 5 ? ", " : " ") + row.key + ' ' + plain_label(row.label);
    return words + "; q or Escape: Exit; F1 or ?: About.";
}
