// Exit, Solve, Stop, the three options, About and unknown ids.
#include "ui/qt/commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <string>

#include "driver/commands.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "resources/resource_ids.h"
#include "ui/common/menu_options.h"
#include "ui/common/window_queue.h"
#include "ui/qt/main_window.h"

namespace {

void show_box(QMessageBox::Icon icon, QWidget* owner, const char* caption, const char* text)
{
    QMessageBox box(icon, QString::fromLatin1(caption), QString::fromUtf8(text), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// Exit and closing the window: stop in order, write the statistics (or say
// why they could not be written), end the loop.
void command_exit()
{
    std::string failure = shut_down();
    if (!failure.empty())
        show_information_box(main_window, failure.c_str());
    QCoreApplication::exit(0);
}

void command_stop()
{
    stop_command();
    invalidate_window();
}

void command_toggle(std::atomic<int32_t>& flag)
{
    toggle_option(flag);
    sync_check_marks();
    invalidate_window();
}

void command_about()
{
    show_box(QMessageBox::NoIcon, main_window, ABOUT_CAPTION, ABOUT_TEXT);
}

}  // namespace

void show_information_box(QWidget* owner, const char* text)
{
    show_box(QMessageBox::Information, owner, "", text);
}

void post_command(int id)
{
    QMetaObject::invokeMethod(main_window, [id] { handle_command(id); }, Qt::QueuedConnection);
}

void handle_command(int id)
{
    switch (id) {
    case IDM_EXIT:
        command_exit();
        break;
    case IDM_SOLVE:
        solve_command(main_window);
        break;
    case IDM_ABOUT:
        command_about();
        break;
    case IDM_STOP:
        command_stop();
        break;
    default:
        if (std::atomic<int32_t>* option = option_of(id))
            command_toggle(*option);
        else
            show_information_box(main_window, UNDEFINED_COMMAND_TEXT);
        break;
    }
}
