// The seam between the driver and a window system: the few operations the
// driver needs, declared once here and defined once by each program
// (Win32, Qt, the batch player, the tests). No platform header is needed here.
#pragma once

#include <cstdint>

// Queue a message for the main window without waiting; the window thread
// handles queued messages in the order they were queued.
void post_window_message(uint32_t message, intptr_t wparam, intptr_t lparam);

// Set status bar part 0 or 1 to text and return once the window thread has
// taken it (at once when called on the window thread).
void set_status_text(int part, const char* text);

// Pause the calling thread.
void pause_thread(int milliseconds);

// Have the whole client area of the window repainted, background not erased.
void repaint_window(void* window);

// Start a thread running SolverThread(window) with a 32760-byte stack at a
// priority below the window thread's. Nothing keeps or waits on it.
// Returns 0 if the thread could not be created.
int start_solver_thread(void* window);

// Called on the window thread by the shutdown: wait this long while still
// taking the status texts that the solver thread hands over.
void wait_taking_texts(int milliseconds);
