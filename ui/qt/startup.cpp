// Init_Instance(): everything that exists before the first event is handled.
#include "ui/qt/startup.h"

#include <QWindow>

#include "ui/common/front_end.h"
#include "ui/common/window_queue.h"
#include "ui/qt/commands.h"
#include "ui/qt/main_window.h"
#include "ui/qt/painting.h"
#include "ui/qt/tiles.h"

namespace {
const char* open_window()
{
    if (!load_tiles())
        return "Load resource error";
    create_main_window();
    main_window->winId();
    if (!main_window->windowHandle())
        return "Unable to create window";
    main_window->windowHandle()->installEventFilter(main_window);
    open_window_queue();
    return nullptr;
}
}  // namespace

int Init_Instance()
{
    if (const char* failure = start_up(open_window)) {
        show_information_box(nullptr, failure);
        return 0;
    }
    invalidate_window();
    main_window->show();
    return 1;
}
