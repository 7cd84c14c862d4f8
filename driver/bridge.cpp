// The bridge's eight operations and its two text buffers.
#include "driver/bridge.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include "driver/chances.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "engine/callbacks.h"

char glob_status[STATUS_TEXT_SIZE];
char szText[STATUS_TEXT_SIZE];

namespace {
// Both threads write the buffers; each writer hands the window a copy taken
// under this lock, which is never held across the hand-over itself.
std::mutex text_lock;

// Copies text into one of the two buffers, cut to 63 characters, and into
// the copy handed to the window. Takes the lock.
void store_text(char (&buffer)[STATUS_TEXT_SIZE], const char* text, char (&shown)[STATUS_TEXT_SIZE])
{
    std::size_t length = 0;
    while (length < STATUS_TEXT_SIZE - 1 && text[length])
        length++;
    std::lock_guard<std::mutex> hold(text_lock);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    std::memcpy(shown, buffer, STATUS_TEXT_SIZE);
}
}  // namespace

void print_new_field()
{
    if (killthread)
        return;
    show_new_field();
}

void callback_display_minefield(int x, int y)
{
    if (killthread)
        return;
    show_cell(x, y);
}

void callback_display_status(const char* text, int text_level)
{
    if (killthread)
        return;
    if (text_level < verbose)
        print_status(text);
}

void callback_display_error(const char* text)
{
    if (killthread)
        return;
    print_status(text);
}

void callback_delay()
{
    if (killthread)
        return;
    if (goslow)
        pause_thread(GO_SLOW_FLAG_PAUSE_MS);
}

void callback_guess(int index)
{
    if (chances_shown && !killthread)
        show_guess_chances(index);
}

void print_status(const char* text)
{
    if (killthread)
        return;
    char shown[STATUS_TEXT_SIZE];
    store_text(glob_status, text, shown);
    set_status_text(0, shown);
}

void print_stats()
{
    if (killthread)
        return;
    // The figures are never negative, so the text fits in 62 characters;
    // the wider buffer only keeps the compiler's worst case in bounds.
    char formatted[96];
    if (allow_guessing)
        std::snprintf(formatted, sizeof formatted, "Games played: %ld, won: %ld, guesses: %ld", long(games),
                      long(num_wins), long(num_guesses));
    else
        std::snprintf(formatted, sizeof formatted, "Games played: %ld, won: %ld, nostart: %ld", long(games),
                      long(num_wins), long(num_no_starts));
    char shown[STATUS_TEXT_SIZE];
    store_text(szText, formatted, shown);
    set_status_text(1, shown);
}

void copy_glob_status(char out[STATUS_TEXT_SIZE])
{
    std::lock_guard<std::mutex> hold(text_lock);
    std::memcpy(out, glob_status, STATUS_TEXT_SIZE);
}
