// The window side of programs whose window thread runs an event loop of its
// own (Qt, the terminal, the tests' recorder). What the solver thread hands
// over waits here until the window thread takes it: redraws in a bounded
// queue, for which the solver waits when it is full, so no redraw is ever
// dropped; a status text in a one-text mailbox, which the solver waits on
// until the text is taken. Defines show_cell, show_new_field, repaint_window,
// show_chances, set_status_text and wait_taking_texts; the front end defines
// the six handlers at the end.
#pragma once

// The long reason for a guess, as show_chances() hands it over.
inline constexpr int REASON_TEXT_SIZE = 200;

// Redraws the solver may have waiting for the window thread.
inline constexpr int WINDOW_QUEUE_CAPACITY = 10000;

// The calling thread becomes the window thread, and the queue opens.
void open_window_queue();

// From now on nothing is queued and nobody waits on the window: called before
// the window goes away, while a solver may still be running.
void close_window_queue();

// Window thread: shows a handed-over text, then handles the redraws queued so
// far, in order. Those queued meanwhile are taken on a later call (the front
// end is woken again), so the user's input is never starved.
void take_window_jobs();

// Redraws queued and not yet taken.
int pending_window_jobs();

// Defined by the front end. wake_window_thread() may be called on any thread
// and must only arrange for take_window_jobs() to run soon on the window
// thread; the others run on the window thread.
void wake_window_thread();
void draw_cell(int x, int y);
void draw_new_field();
void invalidate_window();  // repaint every cell and both status parts
void show_status_part(int part, const char* text);
// Copies the chances of show_chances() (xdim * ydim of them) to show them
// until the next cell or field is drawn.
void draw_chances(const float* chance, int chosen, const char* reason);
