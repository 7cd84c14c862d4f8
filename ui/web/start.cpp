// The page's start: the start values, the arrays, the picture, the first
// field and the first paint (the address, read next, decides on the saved
// statistics).
#include <emscripten.h>
#include <sys/stat.h>

#include "ui/common/front_end.h"
#include "ui/web/page.h"
#include "ui/web/painting.h"

namespace {
const char* open_page()
{
    open_picture();
    return nullptr;
}
}  // namespace

// Returns 1 once the page can take input, 0 after a failure shown to the user.
extern "C" EMSCRIPTEN_KEEPALIVE int web_start()
{
    // Emscripten's C library starts with a mask of 0777, which would make
    // the statistics file unreadable, even to the page offering it.
    umask(022);
    if (const char* failure = start_up(open_page)) {
        page_message_box(nullptr, failure, 1);
        return 0;
    }
    page_show_check_marks();
    mark_repaint();
    return 1;
}
