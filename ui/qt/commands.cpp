// The menu bar built from the menu table, its check marks, and its commands
// run through the front-end core, with the boxes they show.
#include "ui/qt/commands.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaObject>
#include <vector>

#include "ui/common/front_end.h"
#include "ui/common/window_queue.h"

namespace {

QWidget* menu_window;  // owns the menu bar and the boxes
std::vector<QAction*> check_items;

void show_box(QMessageBox::Icon icon, QWidget* owner, const char* caption, const char* text)
{
    QMessageBox box(icon, QString::fromLatin1(caption), QString::fromUtf8(text), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

QMenuBar* create_menu_bar(QWidget* window)
{
    menu_window = window;
    check_items.clear();
    auto* bar = new QMenuBar(window);
    QMenu* menu = nullptr;
    QActionGroup* rules = nullptr;
    for (const menu_row& row : menu_entries()) {
        if (row.kind == MENU_POPUP) {
            menu = bar->addMenu(QString::fromLatin1(row.label));
        } else if (row.kind == MENU_SEPARATOR) {
            menu->addSeparator();
        } else {
            QAction* item = menu->addAction(QString::fromLatin1(row.label));
            item->setData(row.id);
            item->setCheckable(row.kind == MENU_CHECK || row.kind == MENU_RADIO);
            if (row.kind == MENU_RADIO) {
                rules = rules ? rules : new QActionGroup(menu);
                rules->addAction(item);
            }
            if (item->isCheckable())
                check_items.push_back(item);
        }
    }
    QObject::connect(bar, &QMenuBar::triggered, [](QAction* item) { post_command(item->data().toInt()); });
    return bar;
}

void sync_check_marks()
{
    for (QAction* item : check_items)
        item->setChecked(is_checked(item->data().toInt()));
}

void show_information_box(QWidget* owner, const char* text)
{
    show_box(QMessageBox::Information, owner, "", text);
}

void post_command(int id)
{
    QMetaObject::invokeMethod(menu_window, [id] { handle_command(id); }, Qt::QueuedConnection);
}

void handle_command(int id)
{
    command_outcome outcome = run_command(id);
    if (!outcome.box_text.empty())
        show_box(outcome.box_information ? QMessageBox::Information : QMessageBox::NoIcon, menu_window,
                 outcome.box_caption ? outcome.box_caption : "", outcome.box_text.c_str());
    if (outcome.check_marks)
        sync_check_marks();
    if (outcome.repaint)
        invalidate_window();
    if (outcome.quit)
        QCoreApplication::exit(0);
}
