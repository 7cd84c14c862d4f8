// The page's copy of the chances: however many guesses come between two
// frames, a frame hands over only what stands then.
#include "ui/web/chances.h"

#include <cstdio>
#include <vector>

#include "driver/state.h"
#include "engine/board.h"
#include "ui/web/page.h"

namespace {
std::vector<float> shown;  // empty: no chances stand
int shown_chosen = -1;
char shown_reason[200];
bool chances_marked;
bool reason_on_page;
}  // namespace

void mark_chances(const float* chance, int chosen, const char* reason)
{
    shown.assign(chance, chance + xdim * ydim);
    shown_chosen = chosen;
    std::snprintf(shown_reason, sizeof shown_reason, "%s", reason);
    chances_marked = true;
}

void clear_marked_chances()
{
    if (shown.empty())
        return;
    shown.clear();
    chances_marked = true;
}

void draw_marked_chances()
{
    // The reason stays readable under the window until Show Chances goes off.
    if (reason_on_page && !chances_shown) {
        shown_reason[0] = '\0';
        chances_marked = true;
    }
    if (!chances_marked)
        return;
    chances_marked = false;
    reason_on_page = shown_reason[0] != '\0';
    page_show_chances(shown.data(), int(shown.size()), xdim, shown_chosen, shown_reason);
}
