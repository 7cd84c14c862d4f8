// The menu's commands and a press on the field, as the page hands them over,
// and the menu the page builds.
#include "ui/web/commands.h"

#include <emscripten.h>

#include <string>

#include "driver/shutdown.h"
#include "driver/state.h"
#include "resources/resource_ids.h"
#include "ui/common/front_end.h"
#include "ui/common/geometry.h"
#include "ui/web/page.h"
#include "ui/web/painting.h"
#include "ui/web/statistics.h"

namespace {
bool exit_pending;

void show_outcome(const command_outcome& outcome)
{
    if (!outcome.box_text.empty())
        page_message_box(outcome.box_caption, outcome.box_text.c_str(), outcome.box_information);
    if (outcome.check_marks)
        page_show_check_marks();
    if (outcome.repaint)
        mark_repaint();
}

// The statistics are saved and written, and the file is offered. The page
// stays, with its last picture, until it is reloaded, and says so.
void finish_exit()
{
    exit_pending = false;
    save_statistics();
    command_outcome outcome = run_command(IDM_EXIT);
    if (!outcome.box_text.empty()) {
        show_outcome(outcome);
        return;
    }
    page_offer_download(SCORES_FILE);
    mark_status(0, (std::string(SCORES_FILE) + " downloaded").c_str());
    mark_status(1, "Reload the page to play on");
}

// A page cannot wait for the solver: Exit silences it and asks it to stop,
// and the command runs once the solver, still finishing its game without a
// pause for a flag, has ended.
void begin_exit()
{
    exit_pending = true;
    begin_shut_down();
    if (!thread_running)
        finish_exit();
}

void add_json_text(std::string& json, const char* text)
{
    json += '"';
    for (const char* c = text; *c; c++) {
        if (*c == '"' || *c == '\\')
            json += '\\';
        json += *c;
    }
    json += '"';
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
    if (id == IDM_EXIT)
        begin_exit();
    else
        show_outcome(run_command(id));
}

EMSCRIPTEN_KEEPALIVE void web_press(int px, int py)
{
    if (!exit_pending && px >= 0 && py >= 0 && press_field(unsigned(px), unsigned(py)))
        web_command(IDM_SOLVE);
}

EMSCRIPTEN_KEEPALIVE int web_is_checked(int id)
{
    return is_checked(id);
}

// The menu as JSON: [{"kind": K, "id": N, "label": "&File"}, ...] with
// K 0 a popup, 1 a command, 2 a check item, 3 a separator, 4 a rule's radio item.
EMSCRIPTEN_KEEPALIVE const char* web_menu()
{
    static std::string json;
    json = "[";
    for (const menu_row& row : menu_entries()) {
        json += json.size() > 1 ? ",{\"kind\":" : "{\"kind\":";
        json += std::to_string(row.kind) + ",\"id\":" + std::to_string(row.id) + ",\"label\":";
        add_json_text(json, row.label);
        json += '}';
    }
    json += ']';
    return json.c_str();
}
