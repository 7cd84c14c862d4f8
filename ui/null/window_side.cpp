// The null window side: every operation of the seam, doing nothing, for
// programs that play games without showing them (the benchmark).
#include "driver/window_side.h"

void show_cell(int, int) {}
void show_new_field() {}
void repaint_window() {}
void set_status_text(int, const char*) {}
void show_chances(const float*, int, const char*) {}
void pause_thread(int) {}
int start_solver_thread(int)
{
    return 0;
}
void wait_taking_texts(int) {}
