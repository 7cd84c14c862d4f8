// orvanta-term: the self-playing minesweeper drawn in a terminal, for
// machines without a display.
#include <curses.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/shutdown.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/layout.h"
#include "ui/common/window_queue.h"
#include "ui/term/commands.h"
#include "ui/term/events.h"
#include "ui/term/input.h"
#include "ui/term/screen.h"

namespace {

// The window thread's loop: draws what the solver hands over, runs the keys,
// refreshes the screen at its pace. Ends on Exit, on a signal to end or when
// the terminal goes away; returns that signal, or 0.
int run_loop()
{
    while (!exit_chosen) {
        int seen = wait_for_events(refresh_wait_ms());
        if (int signal_number = ending_signal())
            return signal_number;
        if (seen & TERMINAL_GONE)
            return 0;
        if (seen & WOKEN)
            take_window_jobs();
        // Read whatever woke us: a resize arrives as a key without any input.
        for (int key = next_key(); key != ERR && !exit_chosen; key = next_key())
            handle_key(key);
        if (refresh_wait_ms() == 0)
            refresh_screen();
    }
    return 0;
}

}  // namespace

int main()
{
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        std::fputs("orvanta-term: its standard input and output must be a terminal.\n", stderr);
        return 1;
    }
    set_start_values();
    if (!allocate_arrays()) {
        std::fputs("orvanta-term: Memory allocation error\n", stderr);
        return 1;
    }
    if (!prepare_events() || !open_screen()) {
        const char* name = std::getenv("TERM");
        std::fprintf(stderr, "orvanta-term: cannot use this terminal (TERM=%s).\n", name ? name : "");
        return 1;
    }
    open_window_queue();
    // Laid before the first drawing, which reads the board.
    layout_minefield(xdim * ydim, mines, 1);
    show_cursor_cell();
    invalidate_window();
    int signal_number = run_loop();
    std::string failure = shut_down();
    close_window_queue();
    close_screen();
    if (!failure.empty())
        std::fprintf(stderr, "orvanta-term: %s\n", failure.c_str());
    if (signal_number)
        end_by_signal(signal_number);
    // As orvanta-batch: 2 for an output file that could not be written.
    return failure.empty() ? 0 : 2;
}
