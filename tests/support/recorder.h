// The tests' window side: the shared window queue with handlers that write
// one event log, in the order the window thread handled them: "cell 3 4",
// "field", "repaint", "text 0 Bad guess!", "pause 500".
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Forgets the log, lets pauses pass, and makes the calling thread the window
// thread of a newly opened queue.
void reset_recorder();

// The log, after handling what the solver handed over so far (when called on
// the window thread), and views of it.
std::vector<std::string> events();
std::vector<std::pair<int, int>> cells();  // the cells drawn, in order
std::vector<std::string> texts(int part);  // the texts shown in one part
std::string joined_events();               // the log in one line, "; " between events

// Window thread: handles what the solver hands over until done() holds or the
// time is up; returns done().
bool serve_window_until(const std::function<bool()>& done, int milliseconds = 20000);

// While held, the solver's pauses block; released, they pass.
void hold_pauses(bool held);

// The stack the solver thread is started with, whatever the driver asks
// (0: what it asks).
void ask_solver_stack(int bytes);
