// orvanta-term: the self-playing minesweeper drawn in a terminal, for
// machines without a display.
#include <curses.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "resources/resource_ids.h"
#include "ui/common/front_end.h"
#include "ui/common/window_queue.h"
#include "ui/term/about.h"
#include "ui/term/chances.h"
#include "ui/term/commands.h"
#include "ui/term/drawing.h"
#include "ui/term/events.h"
#include "ui/term/input.h"
#include "ui/term/screen.h"
#include "version.h"

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

const char* open_terminal()
{
    if (!prepare_events() || !open_screen()) {
        static std::string failure;
        const char* name = std::getenv("TERM");
        failure = std::string("cannot use this terminal (TERM=") + (name ? name : "") + ").";
        return failure.c_str();
    }
    prepare_tile_colours();
    prepare_chance_colours();
    make_room_for_box(about_box_rows(), about_box_columns());
    open_window_queue();
    return nullptr;
}

// --help and --version print and end the program with 0; anything else on
// the command line is refused with 2. Returns -1 when the game is to start.
int read_options(int argc, char** argv)
{
    if (argc < 2)
        return -1;
    std::string option = argv[1];
    if (argc == 2 && option == "--version") {
        std::printf("orvanta-term %s\n", ORVANTA_VERSION);
        return 0;
    }
    if (argc == 2 && option == "--help") {
        std::printf("Usage: orvanta-term [--help | --version]\n"
                    "The minesweeper that plays itself, in a terminal.\n"
                    "Choose a square with the arrow keys and Enter, or click on it, to start playing from it.\n"
                    "%s\n"
                    "The statistics are written to qxscores.txt in the current folder on exit.\n",
                    key_words().c_str());
        return 0;
    }
    std::fprintf(stderr, "orvanta-term: unknown option '%s'\nTry 'orvanta-term --help'.\n", argv[1]);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (int status = read_options(argc, argv); status >= 0)
        return status;
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        std::fputs("orvanta-term: its standard input and output must be a terminal.\n", stderr);
        return 1;
    }
    if (const char* failure = start_up(open_terminal)) {
        std::fprintf(stderr, "orvanta-term: %s\n", failure);
        return 1;
    }
    show_cursor_cell();
    invalidate_window();
    int signal_number = run_loop();
    // A signal or a terminal gone ends the program as Exit does.
    if (!exit_chosen)
        exit_failure = run_command(IDM_EXIT).box_text;
    close_window_queue();
    close_screen();
    if (!exit_failure.empty())
        std::fprintf(stderr, "orvanta-term: %s\n", exit_failure.c_str());
    if (signal_number)
        end_by_signal(signal_number);
    // As orvanta-batch: 2 for an output file that could not be written.
    return exit_failure.empty() ? 0 : 2;
}
