// The terminal's window side beyond the shared queue: the pause, and the
// solver as a POSIX thread. The queue wakes the window thread through the
// pipe of events.cpp.
#include "driver/window_side.h"

#include <chrono>
#include <thread>

#include "ui/common/solver_thread.h"

void pause_thread(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int start_solver_thread(int stack_size)
{
    return start_detached_solver(stack_size);
}
