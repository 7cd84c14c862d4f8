// A window side for the tests: records what the driver asks of the window,
// and can hand status texts over synchronously as a real window thread does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct recorded_message {
    uint32_t message;
    intptr_t wparam;
    intptr_t lparam;
};

struct recorded_text {
    int part;
    std::string text;
};

// Forgets everything recorded and restores the default behaviour:
// texts taken at once, pauses recorded and not slept.
void reset_window_side();

std::vector<recorded_message> posted_messages();
std::vector<recorded_text> status_texts();
std::vector<int> pauses();
int repaint_count();
int solver_threads_started();

// Everything in the order it happened: "post 113 3 4", "text 0 Bad guess!",
// "pause 500", "repaint".
std::vector<std::string> events();

// The deepest nesting of hit() seen when a cell was reported, and the stack
// bytes used between the report made at level 1 and the deepest one.
int deepest_report_level();
long stack_bytes_to_deepest_report();

// Sets stop_solving once a statistics text arrives with games at this count
// (0: never), so a solver with Nonstop on, or still losing, can be run on the
// test's own thread.
void stop_after_games(int count);

// The solver's pause_thread() blocks until release_pauses() (a game that
// outlasts any wait).
void hold_pauses();
void release_pauses();

// Texts from other threads than the one that called this are handed over as
// a real window does: the sender waits until the window thread takes them,
// which it does only in wait_taking_texts().
void make_this_the_window_thread();
bool text_waiting_for_window();      // a sender is blocked on the window thread

// Stack size the recorder gives the solver thread: 32760 bytes, or more in
// sanitizer builds whose instrumentation needs it.
int solver_stack_size();
