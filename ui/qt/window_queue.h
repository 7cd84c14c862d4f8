// The Qt window side's queue: what the solver thread hands to the window thread.
#pragma once

#include <cstdint>

// Messages the solver may have waiting for the window thread; when the queue
// is full the solver waits for room, so no redraw is ever dropped.
inline constexpr int WINDOW_QUEUE_CAPACITY = 10000;

// Ties the queue to the current thread as the window thread and to mineWind,
// which receives the event that has the queue taken.
void open_window_side();

// From now on nothing is queued and no thread waits on the window: called
// before the window goes away, while a solver may still be running.
void close_window_side();

// Window thread: takes a handed-over status text, then handles the messages
// queued so far, in order. Messages queued meanwhile are taken on a later turn
// of the event loop, so the user's input is never starved.
void take_pending_messages();

// Messages queued and not yet taken.
int pending_messages();
