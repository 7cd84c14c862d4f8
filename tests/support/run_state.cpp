// reset_run_flags(): what a run's static state holds before start-up.
#include "tests/support/run_state.h"

#include <cstring>

#include "driver/bridge.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/random.h"

void reset_run_flags()
{
    pin_clock(TEST_CLOCK);
    thread_running = 0;
    stop_solving = 0;
    killthread = 0;
    shut_down_done = 0;
    userx = 0;
    usery = 0;
    blown_up = 0;
    guesses = 0;
    num_guesses = 0;
    std::memset(glob_status, 0, sizeof glob_status);
    std::memset(szText, 0, sizeof szText);
}
