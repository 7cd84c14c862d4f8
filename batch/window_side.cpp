// The batch player's window side: no window, no pause. Cell changes and
// status texts go to the trace when there is one.
#include <cinttypes>

#include "batch/worker.h"
#include "driver/window_side.h"
#include "engine/board.h"

void show_cell(int x, int y)
{
    if (trace_file) {
        std::fprintf(trace_file, "%" PRId64 "\t%d\t%d\t%d\n", game_in_hand(), x, y, int(cell_value(x, y)));
        note_write(trace_file);
    }
}

void set_status_text(int part, const char* text)
{
    if (trace_file && part == 0) {
        std::fprintf(trace_file, "%" PRId64 "\t#\t%s\n", game_in_hand(), text);
        note_write(trace_file);
    }
}

void show_new_field() {}
void repaint_window() {}
void show_chances(const float*, int, const char*) {}
void pause_thread(int) {}
void wait_taking_texts(int) {}

// The batch plays on its workers' own threads and never starts a solver thread.
int start_solver_thread(int)
{
    return 0;
}
