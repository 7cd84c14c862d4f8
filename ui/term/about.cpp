// The About box: the About text, its paragraph on the menu told as the
// terminal's keys, in a frame with its caption and an OK.
#include "ui/term/about.h"

#include <curses.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "driver/commands.h"
#include "ui/term/commands.h"
#include "ui/term/screen.h"

namespace {

constexpr const char* CHOOSING = "Choose a square with the arrow keys and Enter, or click on it, to start playing from it.";

WINDOW* about_box;
bool about_open;
std::string shown_caption;
std::string shown_text;

int widest_line(const std::string& text)
{
    int widest = 0;
    for (std::size_t line = 0, end; (end = text.find('\n', line)) != std::string::npos; line = end + 1)
        widest = std::max(widest, static_cast<int>(end - line));
    return widest;
}

// The words as lines of at most width columns, each ended by a newline.
std::string wrapped(const std::string& words, int width)
{
    std::string lines;
    int column = 0;
    for (std::size_t word = 0; word < words.size();) {
        std::size_t end = std::min(words.find(' ', word), words.size());
        int length = static_cast<int>(end - word);
        if (column > 0) {
            bool room = column + 1 + length <= width;
            lines += room ? ' ' : '\n';
            column = room ? column + 1 : 0;
        }
        lines.append(words, word, end - word);
        column += length;
        word = end + 1;
    }
    return lines + '\n';
}

// ABOUT_TEXT with its second paragraph, which speaks of the menu, in the terminal's words.
const std::string& about_text()
{
    static const std::string text = [] {
        std::string about = ABOUT_TEXT;
        std::size_t start = about.find("\n\n") + 2;
        std::size_t end = about.find("\n\n", start) + 1;
        return about.replace(start, end - start, wrapped(std::string(CHOOSING) + ' ' + key_words(), widest_line(about)));
    }();
    return text;
}

void make_box()
{
    if (about_box)
        delwin(about_box);
    int width = widest_line(shown_text) + 4;
    int rows = static_cast<int>(std::count(shown_text.begin(), shown_text.end(), '\n')) + 2;
    about_box = newwin(rows, width, 0, (needed_columns() - width) / 2);
    show_over_screen(about_box);
    if (!about_box)
        return;
    wborder(about_box, '|', '|', '-', '-', '+', '+', '+', '+');
    mvwprintw(about_box, 0, 2, " %s ", shown_caption.c_str());
    int row = 1;
    for (std::size_t line = 0, end; (end = shown_text.find('\n', line)) != std::string::npos; line = end + 1)
        mvwaddnstr(about_box, row++, 2, shown_text.c_str() + line, static_cast<int>(end - line));
    mvwaddstr(about_box, rows - 1, (width - 6) / 2, "[ OK ]");
}

}  // namespace

int about_box_rows()
{
    return static_cast<int>(std::count(about_text().begin(), about_text().end(), '\n')) + 2;
}

int about_box_columns()
{
    return widest_line(about_text()) + 4;
}

void show_about(const char* caption, const char* text)
{
    if (about_open)
        return;
    about_open = true;
    shown_caption = caption;
    shown_text = std::strcmp(text, ABOUT_TEXT) == 0 ? about_text() : text;
    make_box();
}

int about_shown()
{
    return about_open;
}

void close_about()
{
    about_open = false;
    show_over_screen(nullptr);
    delwin(about_box);
    about_box = nullptr;
    touchwin(stdscr);
}

void redraw_about()
{
    if (about_open)
        make_box();
}
