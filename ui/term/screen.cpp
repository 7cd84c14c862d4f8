// The curses session, the refresh pace, and putting the terminal back even
// when the program dies of a fault.
#include "ui/term/screen.h"

#include <curses.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>

#include "engine/board.h"

namespace {

using clock_type = std::chrono::steady_clock;
constexpr clock_type::duration REFRESH_PERIOD = std::chrono::milliseconds(16);  // about 60 a second

WINDOW* input_pad;  // keys are read from a pad, which wgetch never refreshes
termios first_modes;
char leave_codes[256];  // what puts the terminal back, ready for a fault handler
std::size_t leave_length;
bool changed;
clock_type::time_point last_refresh;
int cursor_row;
int cursor_column;
WINDOW* box_over_screen;  // a box drawn over everything, or null
int box_rows;        // the largest box a command shows
int box_columns;

void add_leave_code(const char* code)
{
    if (!code || code == reinterpret_cast<char*>(-1))
        return;
    std::size_t length = std::strlen(code);
    if (leave_length + length > sizeof leave_codes)
        return;
    std::memcpy(leave_codes + leave_length, code, length);
    leave_length += length;
}

// The terminal's codes that leave the full-screen mode, show the cursor,
// reset the attributes and the keypad, and stop mouse reports.
void prepare_leave_codes()
{
    for (const char* name : {"rmcup", "cnorm", "sgr0", "rmkx"})
        add_leave_code(tigetstr(name));
    const char* mouse_mode = tigetstr("XM");
    if (mouse_mode && mouse_mode != reinterpret_cast<char*>(-1))
        add_leave_code(tparm(mouse_mode, 0));
    else if (const char* mouse_key = tigetstr("kmous"); mouse_key && std::strcmp(mouse_key, "\033[M") == 0)
        add_leave_code("\033[?1000l");
}

// Async-signal-safe calls only. SA_RESETHAND has made the signal's action the
// default again, so raising it ends the process once the handler returns.
void on_fault(int signal_number)
{
    tcsetattr(STDIN_FILENO, TCSANOW, &first_modes);
    ssize_t written = write(STDOUT_FILENO, leave_codes, leave_length);
    static_cast<void>(written);
    raise(signal_number);
}

void catch_faults()
{
    struct sigaction action {};
    action.sa_handler = on_fault;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal_number : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        sigaction(signal_number, &action, nullptr);
}

}  // namespace

int status_row()
{
    return FIELD_TOP + ydim + 1;
}

int needed_rows()
{
    return std::max(status_row() + 1, box_rows);
}

int needed_columns()
{
    return std::max({STATUS_COLUMNS, FIELD_LEFT + CELL_COLUMNS * xdim + 1, box_columns});
}

int screen_fits()
{
    return LINES >= needed_rows() && COLS >= needed_columns();
}

int open_screen()
{
    tcgetattr(STDIN_FILENO, &first_modes);
    if (!newterm(nullptr, stdout, stdin))
        return 0;
    input_pad = newpad(1, 1);
    if (!input_pad) {
        endwin();
        return 0;
    }
    // Ctrl-C stays a signal, which ends the program as SIGTERM does.
    cbreak();
    noecho();
    nonl();
    keypad(input_pad, TRUE);
    nodelay(input_pad, TRUE);
    set_escdelay(25);
    // A refresh goes out whole, even while keys are waiting to be read.
    typeahead(-1);
    mousemask(BUTTON1_PRESSED, nullptr);
    mouseinterval(0);
    prepare_leave_codes();
    catch_faults();
    return 1;
}

void close_screen()
{
    endwin();
}

void make_room_for_box(int rows, int columns)
{
    box_rows = rows;
    box_columns = columns;
}

void show_over_screen(WINDOW* window)
{
    box_over_screen = window;
    screen_changed();
}

void rest_cursor_at(int row, int column)
{
    cursor_row = row;
    cursor_column = column;
    screen_changed();
}

void screen_changed()
{
    changed = true;
}

int refresh_wait_ms()
{
    if (!changed)
        return -1;
    auto wait = last_refresh + REFRESH_PERIOD - clock_type::now();
    if (wait <= clock_type::duration::zero())
        return 0;
    // Rounded up, so that the wait never wakes a little too early.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wait).count());
}

void refresh_screen()
{
    wmove(stdscr, cursor_row, cursor_column);
    wnoutrefresh(stdscr);
    if (box_over_screen && screen_fits()) {
        touchwin(box_over_screen);
        wnoutrefresh(box_over_screen);
    }
    doupdate();
    changed = false;
    last_refresh = clock_type::now();
}

int next_key()
{
    return wgetch(input_pad);
}
