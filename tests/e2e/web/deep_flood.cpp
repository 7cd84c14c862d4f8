// The page on a field without mines: the first cell's flood fill reaches the
// engine's depth limit, 300 calls of hit(), and with a slice of 0 ms and the
// flood fill's own status texts (verbose 4) the solver is suspended at every
// depth of it, the deepest included. Started with ?seed=S, it plays one game
// and ends.
#include <emscripten.h>

#include "driver/state.h"
#include "engine/board.h"
#include "engine/layout.h"
#include "ui/web/painting.h"
#include "ui/web/solver_turns.h"

extern "C" EMSCRIPTEN_KEEPALIVE int web_start()
{
    set_start_values();
    if (!allocate_arrays())
        return 0;
    mines = 0;
    nonstop = 0;
    goslow = 0;
    verbose = 4;
    solver_slice_ms = 0;
    open_picture();
    layout_minefield(xdim * ydim, mines, 1);
    mark_repaint();
    return 1;
}
