// The window as the user meets it: start state, menu, presses, commands, boxes, pictures, Exit.
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "tests/e2e/win32/tile_reader.h"
#include "tests/qt/qt_test_support.h"
#include "ui/qt/main_window.h"
#include "ui/qt/messages.h"
#include "ui/qt/status_bar.h"

namespace {

struct box_seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool owned_by_window = false;
};

// Runs the command as the menu does and reads the modal box it opens, then closes it.
box_seen box_of_command(int id)
{
    box_seen seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {box->windowTitle(), box->text(), box->icon(), box->parentWidget() == mineWind};
        box->accept();
    });
    handle_window_message(WM_COMMAND, id, 0);
    return seen;
}

QAction* menu_item(const QString& text)
{
    for (QAction* top : mineWind->findChild<QMenuBar*>()->actions())
        for (QAction* item : top->menu()->actions())
            if (item->text() == text)
                return item;
    return nullptr;
}

// A press on the field at a pixel (QTest's own clicks take (0, 0) for the centre).
void press_at(QPoint pixel, Qt::MouseButton button)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pixel), field_view->mapToGlobal(QPointF(pixel)), button,
                      button, Qt::NoModifier);
    QApplication::sendEvent(field_view, &press);
}

}  // namespace

class WindowTest : public WindowTestCase {
    Q_OBJECT
private slots:
    void opens_fixed_with_title_icon_menu_hidden_field_and_status()
    {
        QCOMPARE(mineWind->windowTitle(), QString("Orvanta"));
        QCOMPARE(mineWind->minimumSize(), mineWind->maximumSize());
        QVERIFY(!(mineWind->windowFlags() & Qt::WindowMaximizeButtonHint));
        QImage icon = mineWind->windowIcon().pixmap(32, 32).toImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(shows_image([&](int x, int y) { return icon.pixel(x, y) & 0xFFFFFFu; }, 0, 0, &icon_pixels[0][0], 32));
        QCOMPARE(field_view->size(), QSize(481, 257));
        QCOMPARE(field_view->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(field_view->width(), mineWind->width());
        QCOMPARE(hWndStatus->y(), field_view->y() + field_view->height());
        QCOMPARE(status_parts[0]->geometry().right() + 1, 481 / 2 - 64);
        QCOMPARE(status_parts[1]->geometry().right() + 1, 481);

        QStringList menu;
        for (QAction* top : mineWind->findChild<QMenuBar*>()->actions()) {
            menu << top->text() + ":";
            for (QAction* item : top->menu()->actions())
                menu << (item->isSeparator() ? "|" : item->text() + (item->isChecked() ? "+" : ""));
        }
        QCOMPARE(menu, (QStringList{"&File:", "&Solve", "S&top Solving", "|", "&Exit", "&Edit:", "&Nonstop+",
                                    "&Go Slow+", "&Allow Guessing+", "&Help:", "&About"}));

        QCOMPARE(cells_shown(field_view->grab().toImage()), cells_all(TILE_HIDDEN));
        QVERIFY(run_events_until([] { return status_part_text(1) != "-"; }, 2000));
        QCOMPARE(status_part_text(0), QString(""));
        QCOMPARE(status_part_text(1), QString("Games played: 0, won: 0, guesses: 0"));
    }

    void cells_are_drawn_one_by_one_and_a_lost_game_shows_its_mines_after_a_repaint()
    {
        for (int i = 0; i < xdim * ydim; i++)
            sea[i] = CELL_HIDDEN;
        sea[0] = 1;
        sea[1] = CELL_FLAGGED;
        sea[2] = CELL_MINE;
        sea[3 + 2 * 30] = CELL_MINE;
        sea[29 + 15 * 30] = CELL_MINE;
        sea[5 + 5 * 30] = 8;
        // Only the cell asked for is drawn; cells outside the board are ignored.
        for (auto [x, y] : {std::pair{5, 5}, {30, 0}, {0, 16}, {-1, 3}})
            handle_window_message(WM_SHOW_CELL, x, y);
        QCOMPARE(cells_shown(field_view->grab().toImage()), cells_all(TILE_HIDDEN, {{5, 5, 8}}));
        killthread = 1;
        handle_window_message(WM_SHOW_CELL, 0, 0);
        QCOMPARE(cells_shown(field_view->grab().toImage()), cells_all(TILE_HIDDEN, {{5, 5, 8}}));

        killthread = 0;
        blown_up = 1 + (3 + 2 * 30);
        invalidate_window();
        QCOMPARE(cells_shown(field_view->grab().toImage()),
                 cells_all(TILE_HIDDEN, {{0, 0, 1}, {1, 0, TILE_FLAG}, {2, 0, TILE_MINE}, {3, 2, TILE_EXPLODED},
                                         {29, 15, TILE_MINE}, {5, 5, 8}}));
    }

    void presses_and_solves_start_one_solver_below_the_window_thread_and_stop_ends_it()
    {
        userx = 7;
        usery = 7;
        press_at(QPoint(17, 33), Qt::RightButton);
        QTest::qWait(20);
        QCOMPARE(QPoint(userx, usery), QPoint(7, 7));
        QCOMPARE(int(games), 0);
        QVERIFY(solver_threads().empty());
        // The pixels that start and end cells; Go Slow keeps the first game going meanwhile.
        for (auto [pixel, cell] : {std::pair{QPoint(0, 0), QPoint(0, 0)}, {QPoint(16, 16), QPoint(0, 0)},
                                   {QPoint(17, 33), QPoint(1, 2)}, {QPoint(480, 256), QPoint(29, 15)}}) {
            press_at(pixel, Qt::LeftButton);
            QCOMPARE(QPoint(userx, usery), cell);
            QVERIFY(run_events_until([] { return !solver_threads().empty(); }, 5000));
        }
        menu_item("&Solve")->trigger();
        handle_window_message(WM_COMMAND, IDM_SOLVE, 0);
        QTest::qWait(100);
        QCOMPARE(solver_threads().size(), size_t(1));
        QCOMPARE(thread_nice(solver_threads()[0]), thread_nice(gettid()) + 1);

        goslow = 0;
        menu_item("S&top Solving")->trigger();
        QVERIFY(run_events_until([] { return thread_running == 0 && solver_threads().empty(); }, 20000));
        QVERIFY(games > 0);
    }

    void options_toggle_their_flags_marks_and_statistics_format()
    {
        for (auto [text, flag] : {std::pair{"&Allow Guessing", &allow_guessing}, {"&Nonstop", &nonstop},
                                  {"&Go Slow", &goslow}}) {
            menu_item(text)->trigger();
            QVERIFY(run_events_until([flag] { return *flag == 0; }, 2000));
            QVERIFY(!menu_item(text)->isChecked());
        }
        QVERIFY(run_events_until([] { return status_part_text(1) == "Games played: 0, won: 0, nostart: 0"; }, 2000));
        menu_item("&Allow Guessing")->trigger();
        QVERIFY(run_events_until([] { return status_part_text(1).endsWith("guesses: 0"); }, 2000));
        QVERIFY(menu_item("&Allow Guessing")->isChecked());
        QCOMPARE(int(allow_guessing), 1);
    }

    void about_and_unknown_commands_show_their_boxes()
    {
        for (int id : {IDM_ABOUT, 105, 106, 109, 110, 111, 100, 113, 0xFFFF}) {
            box_seen seen = box_of_command(id);
            bool about = id == IDM_ABOUT;
            if (about)
                QCOMPARE(seen.title, QString("About"));
            QCOMPARE(seen.text, QString(about ? ABOUT_TEXT : UNDEFINED_COMMAND_TEXT));
            QCOMPARE(seen.icon, about ? QMessageBox::NoIcon : QMessageBox::Information);
            QVERIFY(seen.owned_by_window);
        }
        QCOMPARE(int(thread_running), 0);
        QCOMPARE(int(stop_solving), 0);
    }

    void exit_and_close_write_the_statistics_and_end_the_loop_with_0_data()
    {
        QTest::addColumn<bool>("by_closing");
        QTest::addColumn<bool>("scores_a_folder");
        QTest::newRow("Exit") << false << false;
        QTest::newRow("closing the window") << true << false;
        QTest::newRow("Exit where qxscores.txt is a folder: a box says so") << false << true;
    }
    void exit_and_close_write_the_statistics_and_end_the_loop_with_0()
    {
        QFETCH(bool, by_closing);
        QFETCH(bool, scores_a_folder);
        std::remove(SCORES_FILE);
        if (scores_a_folder)
            QDir().mkdir(SCORES_FILE);
        scores[479] = 2;
        QString box_text;  // of any box shown on the way out, which is then closed
        QTimer boxes;
        connect(&boxes, &QTimer::timeout, this, [&box_text] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box_text = box->text();
                box->accept();
            }
        });
        boxes.start(10);
        QTimer::singleShot(0, [by_closing] {
            if (by_closing)
                mineWind->close();
            else
                menu_item("&Exit")->trigger();
        });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(int(shut_down_done), 1);
        QCOMPARE(status_part_text(0), QString("Shutting down..."));
        if (scores_a_folder) {
            QCOMPARE(box_text, "Cannot write \"" + QDir::current().absoluteFilePath(SCORES_FILE) + "\": Is a directory");
            QVERIFY(QDir().rmdir(SCORES_FILE));
            return;
        }
        QCOMPARE(box_text, QString());
        std::ifstream file(SCORES_FILE, std::ios::binary);
        std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        QCOMPARE(std::count(all.begin(), all.end(), '\n'), 481L);
        QVERIFY(all.starts_with("0\t0\r\n1\t0\r\n"));
        QVERIFY(all.ends_with("479\t2\r\n480\t0\r\n"));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
