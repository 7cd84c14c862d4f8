// The window as the user meets it: start state, menu, presses, commands, boxes, pictures, Exit.
#include <unistd.h>

#include <QAction>
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
#include "resources/tile_data.h"
#include "tests/qt/qt_test_support.h"
#include "ui/qt/main_window.h"
#include "ui/qt/messages.h"
#include "ui/qt/status_bar.h"
#include "ui/qt/tiles.h"

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

// Lets the solver end quickly: full speed, and it stops after the game in hand.
bool finish_solver()
{
    goslow = 0;
    stop_solving = 1;
    return run_events_until([] { return thread_running == 0; }, 20000);
}

// A lost game laid by hand on the 30 by 16 board.
void lay_lost_game()
{
    for (int i = 0; i < xdim * ydim; i++)
        sea[i] = CELL_HIDDEN;
    sea[0] = 1;
    sea[1] = CELL_FLAGGED;
    sea[2] = CELL_MINE;
    sea[3 + 2 * 30] = CELL_MINE;
    sea[29 + 15 * 30] = CELL_MINE;
    sea[5 + 5 * 30] = 8;
    blown_up = 1 + (3 + 2 * 30);
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { enter_temporary_directory(); }
    void init() { QVERIFY(start_window()); }
    void cleanup() { QVERIFY(end_window()); }

    void opens_fixed_with_title_sizes_and_status()
    {
        QCOMPARE(mineWind->windowTitle(), QString("Orvanta"));
        QCOMPARE(mineWind->minimumSize(), mineWind->maximumSize());
        QVERIFY(!(mineWind->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!mineWind->windowIcon().isNull());
        QCOMPARE(field_view->size(), QSize(481, 257));
        QCOMPARE(field_view->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(field_view->width(), mineWind->width());
        QCOMPARE(hWndStatus->y(), field_view->y() + field_view->height());
        QCOMPARE(status_parts[0]->geometry().right() + 1, 481 / 2 - 64);
        QCOMPARE(status_parts[1]->geometry().right() + 1, 481);
        QVERIFY(run_events_until([] { return status_part_text(1) != "-"; }, 2000));
        QCOMPARE(status_part_text(0), QString(""));
        QCOMPARE(status_part_text(1), QString("Games played: 0, won: 0, guesses: 0"));
    }

    void icon_shows_the_icon_pixels()
    {
        QImage icon = mineWind->windowIcon().pixmap(32, 32).toImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) {
                const uint8_t* rgb = palette_rgb[icon_pixels[y][x]];
                QCOMPARE(icon.pixelColor(x, y).rgb(), QColor(rgb[0], rgb[1], rgb[2]).rgb());
            }
    }

    void menu_has_the_items_marks_and_separator()
    {
        QStringList tops;
        QStringList items;
        for (QAction* top : mineWind->findChild<QMenuBar*>()->actions()) {
            tops << top->text();
            for (QAction* item : top->menu()->actions())
                items << (item->isSeparator() ? "|" : item->text() + (item->isChecked() ? "+" : ""));
        }
        QCOMPARE(tops, (QStringList{"&File", "&Edit", "&Help"}));
        QCOMPARE(items, (QStringList{"&Solve", "S&top Solving", "|", "&Exit", "&Nonstop+", "&Go Slow+",
                                     "&Allow Guessing+", "&About"}));
    }

    void first_paint_shows_every_cell_hidden_on_white()
    {
        QImage shown = field_view->grab().toImage();
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 30; x++)
                QCOMPARE(cell_mismatch(shown, x, y, TILE_HIDDEN), -1);
        for (int i = 0; i < 481; i++)
            QCOMPARE(shown.pixelColor(i, 0), QColor(Qt::white));
        for (int i = 0; i < 257; i++)
            QCOMPARE(shown.pixelColor(0, i), QColor(Qt::white));
    }

    void a_lost_game_shows_its_mines_after_a_repaint()
    {
        lay_lost_game();
        invalidate_window();
        QImage shown = field_view->grab().toImage();
        QCOMPARE(cell_mismatch(shown, 0, 0, 1), -1);
        QCOMPARE(cell_mismatch(shown, 1, 0, TILE_FLAG), -1);
        QCOMPARE(cell_mismatch(shown, 2, 0, TILE_MINE), -1);
        QCOMPARE(cell_mismatch(shown, 3, 2, TILE_EXPLODED), -1);
        QCOMPARE(cell_mismatch(shown, 29, 15, TILE_MINE), -1);
        QCOMPARE(cell_mismatch(shown, 5, 5, 8), -1);
        QCOMPARE(cell_mismatch(shown, 4, 2, TILE_HIDDEN), -1);
    }

    void cell_messages_draw_one_cell_and_new_field_draws_all_hidden()
    {
        lay_lost_game();
        blown_up = 0;
        handle_window_message(WM_SHOW_CELL, 5, 5);
        handle_window_message(WM_SHOW_CELL, 30, 0);
        handle_window_message(WM_SHOW_CELL, 0, 16);
        handle_window_message(WM_SHOW_CELL, -1, 3);
        QImage shown = field_view->grab().toImage();
        QCOMPARE(cell_mismatch(shown, 5, 5, 8), -1);
        QCOMPARE(cell_mismatch(shown, 0, 0, TILE_HIDDEN), -1);
        QCOMPARE(cell_mismatch(shown, 2, 0, TILE_HIDDEN), -1);

        killthread = 1;
        handle_window_message(WM_SHOW_CELL, 0, 0);
        QCOMPARE(cell_mismatch(field_view->grab().toImage(), 0, 0, TILE_HIDDEN), -1);
        killthread = 0;

        handle_window_message(WM_SHOW_NEW_FIELD, 0, 0);
        shown = field_view->grab().toImage();
        QCOMPARE(cell_mismatch(shown, 5, 5, TILE_HIDDEN), -1);
    }

    void press_maps_pixels_to_cells_and_posts_solve_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QPoint>("cell");
        QTest::newRow("margin") << QPoint(0, 0) << QPoint(0, 0);
        QTest::newRow("first cell's last pixel") << QPoint(16, 16) << QPoint(0, 0);
        QTest::newRow("second column, third row") << QPoint(17, 33) << QPoint(1, 2);
        QTest::newRow("last cell") << QPoint(480, 256) << QPoint(29, 15);
    }
    void press_maps_pixels_to_cells_and_posts_solve()
    {
        QFETCH(QPoint, pixel);
        QFETCH(QPoint, cell);
        goslow = 0;
        nonstop = 0;
        userx = 7;
        usery = 7;
        press_at(pixel, Qt::RightButton);
        QTest::qWait(20);
        QCOMPARE(int(userx), 7);
        QCOMPARE(int(games), 0);
        press_at(pixel, Qt::LeftButton);
        QCOMPARE(QPoint(userx, usery), cell);
        QVERIFY(run_events_until([] { return games > 0 && thread_running == 0; }, 20000));
    }

    void options_toggle_their_flags_marks_and_statistics_format()
    {
        QVERIFY(run_events_until([] { return status_part_text(1).contains("guesses"); }, 2000));
        menu_item("&Allow Guessing")->trigger();
        QVERIFY(run_events_until([] { return allow_guessing == 0; }, 2000));
        QVERIFY(!menu_item("&Allow Guessing")->isChecked());
        QVERIFY(run_events_until([] { return status_part_text(1) == "Games played: 0, won: 0, nostart: 0"; }, 2000));
        menu_item("&Allow Guessing")->trigger();
        QVERIFY(run_events_until([] { return status_part_text(1).endsWith("guesses: 0"); }, 2000));
        QVERIFY(menu_item("&Allow Guessing")->isChecked());

        menu_item("&Nonstop")->trigger();
        menu_item("&Go Slow")->trigger();
        QVERIFY(run_events_until([] { return nonstop == 0 && goslow == 0; }, 2000));
        QVERIFY(!menu_item("&Nonstop")->isChecked());
        QVERIFY(!menu_item("&Go Slow")->isChecked());
        QCOMPARE(int(allow_guessing), 1);
    }

    void stop_shows_its_text_and_solve_withdraws_it()
    {
        menu_item("S&top Solving")->trigger();
        QVERIFY(run_events_until([] { return status_part_text(0) == "Stop requested"; }, 2000));
        QCOMPARE(int(stop_solving), 1);
        QCOMPARE(int(thread_running), 0);
        goslow = 0;
        nonstop = 0;
        menu_item("&Solve")->trigger();
        QVERIFY(run_events_until([] { return games > 0; }, 5000));
        QCOMPARE(int(stop_solving), 0);
        QVERIFY(finish_solver());
    }

    void solve_runs_one_thread_below_the_window_thread()
    {
        // Go Slow keeps the first game going while more Solves and presses arrive.
        menu_item("&Solve")->trigger();
        QVERIFY(run_events_until([] { return solver_thread_id() != 0; }, 5000));
        menu_item("&Solve")->trigger();
        handle_window_message(WM_COMMAND, IDM_SOLVE, 0);
        press_at(QPoint(40, 40), Qt::LeftButton);
        QTest::qWait(100);
        QCOMPARE(solver_thread_count(), 1);
        QCOMPARE(thread_nice(solver_thread_id()), thread_nice(gettid()) + 1);
        QCOMPARE(QPoint(userx, usery), QPoint(2, 2));
        QVERIFY(finish_solver());
        QVERIFY(run_events_until([] { return solver_thread_count() == 0; }, 2000));
    }

    void undefined_commands_show_the_information_box()
    {
        for (int id : {105, 106, 109, 110, 111, 100, 113, 0xFFFF}) {
            box_seen seen = box_of_command(id);
            QCOMPARE(seen.text, QString(UNDEFINED_COMMAND_TEXT));
            QCOMPARE(seen.icon, QMessageBox::Information);
            QVERIFY(seen.owned_by_window);
        }
        QCOMPARE(int(thread_running), 0);
        QCOMPARE(int(stop_solving), 0);
    }

    void about_shows_its_text_without_icon()
    {
        box_seen seen = box_of_command(IDM_ABOUT);
        QCOMPARE(seen.title, QString("About"));
        QCOMPARE(seen.text, QString(ABOUT_TEXT));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QVERIFY(seen.owned_by_window);
    }

    void exit_and_close_write_the_statistics_and_end_the_loop_with_0_data()
    {
        QTest::addColumn<bool>("by_closing");
        QTest::newRow("Exit") << false;
        QTest::newRow("closing the window") << true;
    }
    void exit_and_close_write_the_statistics_and_end_the_loop_with_0()
    {
        QFETCH(bool, by_closing);
        std::remove(SCORES_FILE);
        scores[479] = 2;
        QTimer::singleShot(0, [by_closing] {
            if (by_closing)
                mineWind->close();
            else
                menu_item("&Exit")->trigger();
        });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(int(shut_down_done), 1);
        QCOMPARE(status_part_text(0), QString("Shutting down..."));
        std::ifstream file(SCORES_FILE, std::ios::binary);
        std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        QCOMPARE(std::count(all.begin(), all.end(), '\n'), 481L);
        QVERIFY(all.starts_with("0\t0\r\n1\t0\r\n"));
        QVERIFY(all.ends_with("479\t2\r\n480\t0\r\n"));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
