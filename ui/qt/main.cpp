// orvanta: the self-playing minesweeper's desktop window on Qt.
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "ui/common/window_queue.h"
#include "ui/qt/startup.h"

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

int main(int, char** argv)
{
    if (!display_named()) {
        std::fprintf(stderr,
                     "orvanta: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset).\n"
                     "Start it from a desktop session, or under a virtual display: xvfb-run -a orvanta\n");
        return 1;
    }
    // The program takes nothing from its command line: Qt gets none of it either.
    int qt_argc = 1;
    char* qt_argv[] = {argv[0], nullptr};
    QApplication application(qt_argc, qt_argv);
    // A statistics file past the file-size limit is then a failed write,
    // shown as any other, instead of an end without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    // Only Exit or closing the main window ends the program, never a closed message box.
    QApplication::setQuitOnLastWindowClosed(false);
    if (!Init_Instance())
        return 0;
    int code = QApplication::exec();
    close_window_queue();
    return code;
}
