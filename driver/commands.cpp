// solve_command(), stop_command(), toggle_option() and press_field().
#include "driver/commands.h"

#include "driver/bridge.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"

void solve_command(void* window)
{
    // A Solve still queued behind Exit must not start a solver on a released board.
    if (shut_down_done)
        return;
    stop_solving = 0;
    killthread = 0;
    if (!thread_running) {
        thread_running = 1;
        if (!start_solver_thread(window))
            thread_running = 0;
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

int press_field(unsigned px, unsigned py)
{
    // Division truncates toward zero, so the margin pixel 0 gives (0 - 1) / 16 = 0.
    int column = (static_cast<int>(px) - 1) / 16;
    int row = (static_cast<int>(py) - 1) / 16;
    if (column >= xdim || row >= ydim)
        return 0;
    userx = column;
    usery = row;
    return 1;
}
