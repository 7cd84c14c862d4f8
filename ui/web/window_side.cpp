// The page's window side. Everything runs on the browser's one thread: the
// solver is suspended (Asyncify) while the browser has its turn, and what it
// shows is marked and drawn at the next animation frame.
#include "driver/window_side.h"

#include <emscripten.h>

#include "driver/solver.h"
#include "engine/board.h"
#include "ui/web/chances.h"
#include "ui/web/commands.h"
#include "ui/web/page.h"
#include "ui/web/painting.h"
#include "ui/web/solver_turns.h"

// A few milliseconds: Stop and the menu answer at once, frames keep their
// rate, and the turns cost the solver little.
double solver_slice_ms = 4;

namespace {
// Reading the clock costs more than most chances to end a slice, so it is
// read at every 32nd (at every one with 0 ms slices).
constexpr unsigned CHANCES_PER_CLOCK_READ = 32;

bool solver_playing;  // the solver's code runs now, rather than being suspended or ended
bool tracing;
double slice_start;
unsigned chances;

// Suspends the solver for the browser's turn when its slice is over. Only
// the solver may be suspended: calls from the page's own handlers go on.
void end_slice_if_due()
{
    if (!solver_playing || (solver_slice_ms > 0 && ++chances % CHANCES_PER_CLOCK_READ != 0) ||
        emscripten_get_now() - slice_start < solver_slice_ms)
        return;
    solver_playing = false;
    page_yield();
    solver_playing = true;
    slice_start = emscripten_get_now();
}
}  // namespace

void show_cell(int x, int y)
{
    mark_cell(x, y);
    if (tracing)
        page_trace_cell(x, y, cell_value(x, y));
    end_slice_if_due();
}

void show_new_field()
{
    mark_new_field();
    end_slice_if_due();
}

void show_chances(const float* chance, int chosen, const char* reason)
{
    mark_chances(chance, chosen, reason);
    request_frame();
}

void repaint_window()
{
    mark_repaint();
}

void set_status_text(int part, const char* text)
{
    mark_status(part, text);
    if (tracing && solver_playing && part == 0)
        page_trace_text(text);
    end_slice_if_due();
}

// Only the solver pauses: the page's own handlers must never block.
void pause_thread(int milliseconds)
{
    if (!solver_playing)
        return;
    solver_playing = false;
    emscripten_sleep(unsigned(milliseconds));
    solver_playing = true;
    slice_start = emscripten_get_now();
}

// The page has one stack, far larger than the solver asks for; its slices
// give way to the browser's input and drawing, as a lower priority would.
int start_solver_thread(int)
{
    page_start_solver();
    return 1;
}

// Exit shuts down only once the solver has ended (commands.cpp), so the
// solver is never waiting here.
void wait_taking_texts(int) {}

EMSCRIPTEN_KEEPALIVE void web_solver_entry()
{
    solver_playing = true;
    slice_start = emscripten_get_now();
    SolverThread();
    solver_playing = false;
    finish_pending_exit();
}

EMSCRIPTEN_KEEPALIVE void web_trace(int on)
{
    tracing = on != 0;
}
