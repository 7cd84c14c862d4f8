// The batch player's window side: no window, no pause. Cell changes and
// status texts go to the trace when there is one; the statistics text that
// follows every game is where the game is counted.
#include <chrono>
#include <cinttypes>
#include <thread>

#include "batch/worker.h"
#include "driver/bridge.h"
#include "driver/window_side.h"
#include "engine/board.h"

void post_window_message(uint32_t message, intptr_t wparam, intptr_t lparam)
{
    if (!trace_file || message != WM_SHOW_CELL)
        return;
    int x = int(wparam);
    int y = int(lparam);
    std::fprintf(trace_file, "%" PRId64 "\t%d\t%d\t%d\n", game_in_hand(), x, y, int(cell_value(x, y)));
}

void set_status_text(int part, const char* text)
{
    if (part == 1)
        finish_game();
    else if (trace_file)
        std::fprintf(trace_file, "%" PRId64 "\t#\t%s\n", game_in_hand(), text);
}

void pause_thread(int) {}

void repaint_window(void*) {}

// The batch plays on the caller's thread; there is no window thread whose
// texts could be waited for, so this is a plain wait.
void wait_taking_texts(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
