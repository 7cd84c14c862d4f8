// What the Qt window tests share: a fresh window per test and ways to look at it.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <functional>

// Moves the test process into a temporary directory of its own, so the
// statistics file written at shutdown never lands in the source or build tree.
void enter_temporary_directory();

// Resets the run's flags, counters and texts, pins the clock (the same fields
// every run) and starts the program's window as the program does.
// Returns false if start-up failed.
bool start_window();

// Stops any solver (waiting for its end while the window keeps taking its
// texts), lets the window go and frees the arrays. Returns false if a solver
// was still running after 20 s.
bool end_window();

// Runs the event loop until done() holds or the time is up; returns done().
bool run_events_until(const std::function<bool()>& done, int milliseconds);

// The colour that tile t shows at (row, column), straight from the pictures.
QColor tile_colour(int tile, int row, int column);

// Index of the first pixel of the cell at (x, y) in picture that differs from
// tile t, or -1 when the cell shows exactly that tile.
int cell_mismatch(const QImage& picture, int x, int y, int tile);

// The solver thread's id, or 0 when none runs.
int solver_thread_id();
// Number of threads named as the solver.
int solver_thread_count();
// The nice value of a thread of this process.
int thread_nice(int tid);

// The text shown in status part 0 or 1.
QString status_part_text(int part);
