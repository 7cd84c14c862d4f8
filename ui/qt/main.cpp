// orvanta: the self-playing minesweeper's desktop window on Qt.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "ui/qt/startup.h"
#include "ui/qt/window_queue.h"

namespace {
// Without a display Qt would abort with a core dump; say what to do instead.
bool display_named()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}
}  // namespace

int main(int argc, char** argv)
{
    if (!display_named()) {
        std::fprintf(stderr,
                     "orvanta: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset).\n"
                     "Start it from a desktop session, or under a virtual display: xvfb-run -a orvanta\n");
        return 1;
    }
    QApplication application(argc, argv);
    // Only Exit or closing the main window ends the program, never a closed message box.
    QApplication::setQuitOnLastWindowClosed(false);
    if (!Init_Instance())
        return 0;
    int code = QApplication::exec();
    close_window_side();
    return code;
}
