// The page's start: the start values, the arrays, the first field and the
// first paint (the address, read next, decides on the saved statistics).
#include <emscripten.h>
#include <sys/stat.h>

#include "driver/state.h"
#include "engine/board.h"
#include "engine/layout.h"
#include "ui/web/page.h"
#include "ui/web/painting.h"

// Returns 1 once the page can take input, 0 after a failure shown to the user.
extern "C" EMSCRIPTEN_KEEPALIVE int web_start()
{
    // Emscripten's C library starts with a mask of 0777, which would make
    // the statistics file unreadable, even to the page offering it.
    umask(022);
    set_start_values();
    if (!allocate_arrays()) {
        page_message_box(nullptr, "Memory allocation error", 1);
        return 0;
    }
    open_picture();
    // Laid before the first paint, because painting reads the board.
    layout_minefield(xdim * ydim, mines, 1);
    page_show_check_marks(nonstop, goslow, allow_guessing);
    mark_repaint();
    return 1;
}
