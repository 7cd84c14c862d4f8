// Exit, Solve, Stop, the three options, About and unknown ids; a press on the field.
#include "ui/web/commands.h"

#include <emscripten.h>

#include <string>

#include "driver/commands.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "resources/resource_ids.h"
#include "ui/common/geometry.h"
#include "ui/common/menu_options.h"
#include "ui/web/page.h"
#include "ui/web/painting.h"
#include "ui/web/statistics.h"

namespace {
bool exit_pending;
char page_window;  // what the driver hands back to repaint_window() as the page's one window

// The statistics are saved and written, and the file is offered. The page
// stays, with its last picture, until it is reloaded, and says so.
void finish_exit()
{
    exit_pending = false;
    save_statistics();
    std::string failure = shut_down();
    if (!failure.empty()) {
        page_message_box(nullptr, failure.c_str(), 1);
        return;
    }
    page_offer_download(SCORES_FILE);
    mark_status(0, (std::string(SCORES_FILE) + " downloaded").c_str());
    mark_status(1, "Reload the page to play on");
}

// As shut_down() begins, and then the solver, silenced, finishes its game
// without a pause for a flag. A page cannot wait for it, so the rest
// follows when it ends.
void command_exit()
{
    exit_pending = true;
    killthread = 1;
    stop_solving = 1;
    mark_status(0, "Shutting down...");
    if (!thread_running)
        finish_exit();
}

void command_toggle(std::atomic<int32_t>& flag)
{
    toggle_option(flag);
    page_show_check_marks(nonstop, goslow, allow_guessing);
    mark_repaint();
}
}  // namespace

void finish_pending_exit()
{
    if (exit_pending)
        finish_exit();
}

// While Exit waits for the solver, input is not taken, as the desktop
// programs take none while they shut down.
EMSCRIPTEN_KEEPALIVE void web_command(int id)
{
    if (exit_pending)
        return;
    switch (id) {
    case IDM_EXIT:
        command_exit();
        break;
    case IDM_SOLVE:
        solve_command(&page_window);
        break;
    case IDM_ABOUT:
        page_message_box(ABOUT_CAPTION, ABOUT_TEXT, 0);
        break;
    case IDM_STOP:
        stop_command();
        mark_repaint();
        break;
    default:
        if (std::atomic<int32_t>* option = option_of(id))
            command_toggle(*option);
        else
            page_message_box(nullptr, UNDEFINED_COMMAND_TEXT, 1);
        break;
    }
}

EMSCRIPTEN_KEEPALIVE void web_press(int px, int py)
{
    if (!exit_pending && px >= 0 && py >= 0 && press_field(unsigned(px), unsigned(py)))
        solve_command(&page_window);
}
