// solve_command(), stop_command() and toggle_option().
#include "driver/commands.h"

#include "driver/bridge.h"
#include "driver/shutdown.h"
#include "driver/solver.h"
#include "driver/state.h"
#include "driver/window_side.h"

void solve_command()
{
    // A Solve still queued behind Exit must not start a solver on a released board.
    if (shut_down_done)
        return;
    stop_solving = 0;
    killthread = 0;
    if (!thread_running) {
        thread_running = 1;
        if (!start_solver_thread(SOLVER_STACK_SIZE)) {
            thread_running = 0;
            print_status("Cannot start the solver thread");
        }
    }
    print_stats();
}

void stop_command()
{
    stop_solving = 1;
    print_status("Stop requested");
}

int32_t toggle_option(std::atomic<int32_t>& flag)
{
    int32_t value = flag ? 0 : 1;
    flag = value;
    return value;
}
