// The menu commands through the front-end core, and the boxes they show.
#include "ui/qt/commands.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaObject>

#include "ui/common/front_end.h"
#include "ui/common/window_queue.h"
#include "ui/qt/main_window.h"

namespace {

void show_box(QMessageBox::Icon icon, QWidget* owner, const char* caption, const char* text)
{
    QMessageBox box(icon, QString::fromLatin1(caption), QString::fromUtf8(text), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
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
    command_outcome outcome = run_command(id);
    if (!outcome.box_text.empty())
        show_box(outcome.box_information ? QMessageBox::Information : QMessageBox::NoIcon, main_window,
                 outcome.box_caption ? outcome.box_caption : "", outcome.box_text.c_str());
    if (outcome.check_marks)
        sync_check_marks();
    if (outcome.repaint)
        invalidate_window();
    if (outcome.quit)
        QCoreApplication::exit(0);
}
