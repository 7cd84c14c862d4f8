// The Qt window as the user meets it, on the offscreen platform: the start
// picture, the menu, presses and commands, a lost game's picture, full-speed
// play drawn without a loss, the boxes, and Exit.
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <fstream>
#include <iterator>

#include "driver/commands.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "tests/e2e/win32/tile_reader.h"
#include "tests/support/run_state.h"
#include "ui/common/window_queue.h"
#include "ui/qt/commands.h"
#include "ui/qt/main_window.h"
#include "ui/qt/painting.h"
#include "ui/qt/startup.h"
#include "ui/qt/status_bar.h"

namespace {

bool run_events_until(const std::function<bool()>& done, int milliseconds = 20000)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < milliseconds)
        QTest::qWait(5);
    return done();
}

// What the field view shows, one letter a cell, after "margin=white".
QString shown()
{
    QImage picture = field_view->grab().toImage();
    return QString::fromStdString(cells_shown([&](int x, int y) { return picture.pixel(x, y) & 0xFFFFFFu; }, 0, 0));
}

// What shown() reads from a field whose cells all show one tile but the listed {x, y, tile}.
QString all_cells(int tile, std::initializer_list<std::array<int, 3>> except = {})
{
    QString rows = (QString(FIELD_COLUMNS, QLatin1Char(TILE_LETTERS[tile])) + '\n').repeated(FIELD_ROWS);
    for (auto [x, y, letter] : except)
        rows[y * (FIELD_COLUMNS + 1) + x] = QLatin1Char(TILE_LETTERS[letter]);
    return "margin=white\n" + rows;
}

QString part(int index)
{
    return status_parts[index]->text();
}

QAction* menu_item(const QString& text)
{
    for (QAction* top : main_window->findChild<QMenuBar*>()->actions())
        for (QAction* item : top->menu()->actions())
            if (item->text() == text)
                return item;
    return nullptr;
}

// Runs the command and reads the modal box it opens, then closes it.
QStringList box_of_command(int id)
{
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen << box->windowTitle() << box->text() << QString::number(box->icon())
                 << QString::number(box->parentWidget() == main_window);
            box->accept();
        }
    });
    handle_command(id);
    return seen;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        static QTemporaryDir directory;
        QDir::setCurrent(directory.path());
        reset_run_flags();
        QVERIFY(Init_Instance());
        QVERIFY(QTest::qWaitForWindowExposed(main_window));
    }

    void cleanup()
    {
        goslow = 0;
        shut_down();
        QVERIFY(run_events_until([] { return !thread_running; }));
        close_window_queue();
        delete main_window;
        status_parts[0] = status_parts[1] = nullptr;
        std::free(sea);
        std::free(scores);
        sea = nullptr;
        scores = nullptr;
    }

    void opens_fixed_with_title_icon_menu_hidden_field_and_status()
    {
        QCOMPARE(main_window->windowTitle(), QString("Orvanta"));
        QCOMPARE(main_window->minimumSize(), main_window->maximumSize());
        QVERIFY(!(main_window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QImage icon = main_window->windowIcon().pixmap(32, 32).toImage();
        QVERIFY(shows_image([&](int x, int y) { return icon.pixel(x, y) & 0xFFFFFFu; }, 0, 0, &icon_pixels[0][0], 32));
        QCOMPARE(field_view->size(), QSize(481, 257));
        QCOMPARE(field_view->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(status_bar->y(), field_view->y() + field_view->height());
        QCOMPARE(status_parts[0]->geometry().right() + 1, 176);
        QCOMPARE(status_parts[1]->geometry().right() + 1, 481);
        QStringList menu;
        for (QAction* top : main_window->findChild<QMenuBar*>()->actions()) {
            menu << top->text() + ":";
            for (QAction* item : top->menu()->actions())
                menu << (item->isSeparator() ? "|" : item->text() + (item->isChecked() ? "+" : ""));
        }
        QCOMPARE(menu, (QStringList{"&File:", "&Solve", "S&top Solving", "|", "&Exit", "&Edit:", "&Nonstop+",
                                    "&Go Slow+", "&Allow Guessing+", "&Help:", "&About"}));
        QCOMPARE(shown(), all_cells(TILE_HIDDEN));
        QVERIFY(run_events_until([] { return part(1) != "-"; }));
        QCOMPARE(part(0), QString(""));
        QCOMPARE(part(1), QString("Games played: 0, won: 0, guesses: 0"));
    }

    void cells_are_drawn_one_by_one_and_a_repaint_shows_a_lost_games_mines_and_both_parts()
    {
        for (int i = 0; i < xdim * ydim; i++)
            sea[i] = CELL_HIDDEN;
        sea[0] = 1;
        sea[1] = CELL_FLAGGED;
        sea[2] = sea[3 + 2 * 30] = sea[29 + 15 * 30] = CELL_MINE;
        sea[5 + 5 * 30] = 8;
        draw_cell(5, 5);
        QCOMPARE(shown(), all_cells(TILE_HIDDEN, {{5, 5, 8}}));
        killthread = 1;
        draw_cell(0, 0);
        QCOMPARE(shown(), all_cells(TILE_HIDDEN, {{5, 5, 8}}));
        killthread = 0;
        blown_up = 1 + (3 + 2 * 30);
        status_parts[0]->setText("stale");
        status_parts[1]->setText("stale");
        QExposeEvent uncovered(QRegion(0, 0, 481, 257));  // as when another window moves away
        QApplication::sendEvent(main_window->windowHandle(), &uncovered);
        QCOMPARE(shown(), all_cells(TILE_HIDDEN, {{0, 0, 1}, {1, 0, TILE_FLAG}, {2, 0, TILE_MINE}, {3, 2, TILE_EXPLODED},
                                                  {29, 15, TILE_MINE}, {5, 5, 8}}));
        QCOMPARE(part(0), QString(""));
        QCOMPARE(part(1), QString("Games played: 0, won: 0, guesses: 0"));
    }

    void presses_start_the_solver_options_toggle_and_stop_ends_it()
    {
        userx = usery = 7;
        QTest::mousePress(field_view, Qt::RightButton, {}, QPoint(17, 33));
        QTest::qWait(20);
        QCOMPARE(QPoint(userx, usery), QPoint(7, 7));
        QCOMPARE(int(thread_running), 0);
        QTest::mousePress(field_view, Qt::LeftButton, {}, QPoint(17, 33));
        QCOMPARE(QPoint(userx, usery), QPoint(1, 2));
        QVERIFY(run_events_until([] { return games > 0; }));
        for (auto [text, flag] : {std::pair{"&Allow Guessing", &allow_guessing}, {"&Nonstop", &nonstop},
                                  {"&Go Slow", &goslow}}) {
            menu_item(text)->trigger();
            QVERIFY(run_events_until([flag] { return *flag == 0; }));
            QVERIFY(!menu_item(text)->isChecked());
        }
        QVERIFY(run_events_until([] { return part(1).contains("nostart: "); }));
        menu_item("&Nonstop")->trigger();
        menu_item("S&top Solving")->trigger();
        QVERIFY(run_events_until([] { return thread_running == 0 && pending_window_jobs() == 0; }));
        QCOMPARE(part(0), QString(games > 1 || num_wins ? "Problem solved successfully" : "No solution found"));
    }

    void full_speed_play_loses_no_redraw()
    {
        goslow = 0;
        handle_command(IDM_SOLVE);
        QTest::qWait(2000);
        handle_command(IDM_STOP);
        QVERIFY(run_events_until([] { return thread_running == 0 && pending_window_jobs() == 0; }));
        QTest::qWait(50);
        QImage drawn = field_picture.copy();
        invalidate_window();
        field_view->repaint();
        QVERIFY(games > 10);
        QVERIFY(field_picture == drawn);
    }

    void about_and_unknown_commands_show_their_boxes()
    {
        QCOMPARE(box_of_command(IDM_ABOUT), (QStringList{"About", ABOUT_TEXT, "0", "1"}));
        for (int id : {105, 106, 109, 110, 111, 100, 113})
            QCOMPARE(box_of_command(id), (QStringList{"", UNDEFINED_COMMAND_TEXT, "1", "1"}));
        QCOMPARE(int(thread_running) + int(stop_solving), 0);
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
        QTimer::singleShot(0, [by_closing] { by_closing ? (void)main_window->close() : menu_item("&Exit")->trigger(); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(int(shut_down_done), 1);
        QCOMPARE(part(0), QString("Shutting down..."));
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
