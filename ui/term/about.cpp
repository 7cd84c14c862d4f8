// The About box: the About text in a frame with its caption and an OK.
#include "ui/term/about.h"

#include <curses.h>

#include <algorithm>
#include <cstring>

#include "driver/commands.h"
#include "ui/term/screen.h"

namespace {

WINDOW* about_box;

int text_lines()
{
    return static_cast<int>(std::count(ABOUT_TEXT, ABOUT_TEXT + std::strlen(ABOUT_TEXT), '\n'));
}

int widest_line()
{
    int widest = 0;
    for (const char* line = ABOUT_TEXT; *line; line = std::strchr(line, '\n') + 1)
        widest = std::max(widest, static_cast<int>(std::strchr(line, '\n') - line));
    return widest;
}

}  // namespace

int about_box_rows()
{
    return text_lines() + 2;
}

int about_box_columns()
{
    return widest_line() + 4;
}

void show_about(const char* caption, const char* text)
{
    if (about_box)
        return;
    int width = about_box_columns();
    about_box = newwin(about_box_rows(), width, 0, (needed_columns() - width) / 2);
    if (!about_box)
        return;
    wborder(about_box, '|', '|', '-', '-', '+', '+', '+', '+');
    mvwprintw(about_box, 0, 2, " %s ", caption);
    int row = 1;
    for (const char* line = text; *line; line = std::strchr(line, '\n') + 1)
        mvwaddnstr(about_box, row++, 2, line, static_cast<int>(std::strchr(line, '\n') - line));
    mvwaddstr(about_box, about_box_rows() - 1, (width - 6) / 2, "[ OK ]");
    show_over_screen(about_box);
}

int about_shown()
{
    return about_box != nullptr;
}

void close_about()
{
    show_over_screen(nullptr);
    delwin(about_box);
    about_box = nullptr;
    touchwin(stdscr);
}
