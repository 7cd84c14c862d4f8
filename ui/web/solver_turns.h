// The solver on the page's one thread: it plays in slices of time, and
// between two slices the browser handles input and draws.
#pragma once

// How long a slice lasts; 0 gives the browser a turn at every chance the
// solver offers (each cell, field and status text it shows).
extern double solver_slice_ms;

extern "C" {
// The solver's task: SolverThread(), then the end of a pending Exit.
void web_solver_entry();
// on: from now on every cell change and status text the solver shows is
// handed to the page's trace as well (the browser tests compare it).
void web_trace(int on);
}
