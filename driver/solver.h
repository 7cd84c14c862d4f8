// The solver thread: plays games one after another and keeps the statistics.
#pragma once

inline constexpr int SOLVER_STACK_SIZE = 32760;
inline constexpr int BAD_GUESS_PAUSE_MS = 1500;

// The thread's body. window is the main window, repainted after a bad
// guess. Plays until a game is won (with Nonstop: until stopped) and clears
// thread_running as its very last act; returns 0.
int SolverThread();
