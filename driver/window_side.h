// The seam between the driver and a window system: the few operations the
// driver needs, declared once here and defined once by each program (Win32,
// Qt, the terminal, the web page, the batch player, the null window side of
// the benchmark, the tests' recorder). Plain typed calls: no message number and no platform type
// crosses here. Who calls what, on which thread, and what may block:
// docs/architecture.md.
#pragma once

// Solver thread: have cell (x, y) redrawn, from the board as it is when the
// window draws it. Returns without waiting for the drawing, and no redraw is
// ever lost.
void show_cell(int x, int y);

// Solver thread: have every cell drawn hidden, without reading the board.
// Returns without waiting.
void show_new_field();

// Have the whole window repainted (every cell from the board, both status
// parts) after the cells already shown. Returns without waiting.
void repaint_window();

// Set status bar part 0 or 1 to text; returns once the window thread has
// taken it (at once when called on the window thread).
void set_status_text(int part, const char* text);

// Solver thread, with Show Chances on, as a guess is about to open the cell
// at index chosen: chance holds xdim * ydim chances of a mine, one a cell
// (-1 for a cell opened or flagged), and reason says why that cell, in full.
// Shown over the field until the next cell changes. Returns once the window
// side holds its own copy (at once where it shows nothing).
void show_chances(const float* chance, int chosen, const char* reason);

// Pause the calling thread.
void pause_thread(int milliseconds);

// Window thread: start a thread running SolverThread() with a stack of
// stack_size bytes at a priority below the window thread's. Nothing keeps or
// waits on it. Returns 0 if the thread could not be created.
int start_solver_thread(int stack_size);

// Window thread, during the shutdown: wait this long while still taking what
// the solver thread is waiting to hand over (its status texts, and redraws
// where the queue is bounded), so that it can end meanwhile.
void wait_taking_texts(int milliseconds);
