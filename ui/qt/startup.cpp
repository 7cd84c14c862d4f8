// Init_Instance(): everything that exists before the first event is handled.
#include "ui/qt/startup.h"

#include <QWindow>

#include "driver/state.h"
#include "engine/board.h"
#include "engine/layout.h"
#include "ui/common/window_queue.h"
#include "ui/qt/commands.h"
#include "ui/qt/main_window.h"
#include "ui/qt/painting.h"
#include "ui/qt/tiles.h"

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
    main_window->winId();
    if (!main_window->windowHandle()) {
        show_information_box(nullptr, "Unable to create window");
        return 0;
    }
    main_window->windowHandle()->installEventFilter(main_window);
    open_window_queue();
    // Laid before the window is shown, because painting reads the board.
    layout_minefield(xdim * ydim, mines, 1);
    invalidate_window();
    main_window->show();
    return 1;
}
