// Waiting for what the window thread acts on: a key, the solver's hand-over
// (which wakes it through a pipe), a signal that ends the program, the
// terminal going away, or the next refresh.
#pragma once

// Before any other thread exists: opens the wake-up pipe and has SIGINT,
// SIGTERM and SIGHUP only set a flag. These, and the resize and stop signals
// that curses handles, are held back from every thread and delivered only
// while the window thread waits, so that a handler never interrupts drawing.
// Returns 0 if the pipe cannot be made.
int prepare_events();

// What a wait saw, as bits.
inline constexpr int WOKEN = 1;          // the solver handed something over
inline constexpr int TERMINAL_GONE = 2;  // the terminal hung up

// Waits at most timeout_ms (-1: without a limit) for a key, a wake-up or a
// signal, and drains the wake-ups.
int wait_for_events(int timeout_ms);

// The signal that asked the program to end, or 0.
int ending_signal();

// Ends the process by this signal, as it would have without a handler.
[[noreturn]] void end_by_signal(int signal_number);
