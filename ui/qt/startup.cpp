// Init_Instance(): everything that exists before the first event is handled.
#include "ui/qt/startup.h"

#include "driver/state.h"
#include "engine/board.h"
#include "engine/layout.h"
#include "ui/qt/commands.h"
#include "ui/qt/main_window.h"
#include "ui/qt/messages.h"
#include "ui/qt/tiles.h"
#include "ui/qt/window_queue.h"

int Init_Instance()
{
    set_start_values();
    if (!allocate_arrays()) {
        show_information_box(nullptr, "Memory allocation error");
        return 0;
    }
    if (!load_tiles()) {
        show_information_box(nullptr, "Load resource error");
        return 0;
    }
    create_main_window();
    mineWind->winId();
    if (!mineWind->windowHandle()) {
        show_information_box(nullptr, "Unable to create window");
        return 0;
    }
    open_window_side();
    // Laid before the window is shown, because painting reads the board.
    layout_minefield(xdim * ydim, mines, 1);
    invalidate_window();
    mineWind->show();
    return 1;
}
