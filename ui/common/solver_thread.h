// Starting the solver thread with POSIX threads.
#pragma once

// Starts SolverThread() on a detached thread named "orvanta-solver",
// with a stack of stack_size bytes (more in sanitizer builds, whose
// instrumentation needs it, and at least the system's smallest) and one nice step below the calling thread, as
// "below normal" is one step below normal priority. Returns 0 on failure.
int start_detached_solver(int stack_size);
