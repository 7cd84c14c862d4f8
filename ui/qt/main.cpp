// orvanta: the self-playing minesweeper's desktop window on Qt.
#include <QApplication>

#include "ui/qt/startup.h"
#include "ui/qt/window_queue.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // Only Exit or closing the main window ends the program, never a closed message box.
    QApplication::setQuitOnLastWindowClosed(false);
    if (!Init_Instance())
        return 0;
    int code = QApplication::exec();
    close_window_side();
    return code;
}
