// The Qt window as the user meets it, on the offscreen platform: the start
// picture, the menu, a lost game's picture, the boxes and Exit; presses and
// commands, full-speed play drawn without a loss, and closing the window.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "driver/commands.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "engine/guess_rules.h"
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

// The menu bar as text: each menu's title, then its items with their ids
// ("=" alone is a separator) and "+" when checked.
QString menu()
{
    QStringList items;
    for (QAction* top : main_window->findChild<QMenuBar*>()->actions()) {
        items << top->text() + ":";
        for (QAction* item : top->menu()->actions())
            items << item->text() + "=" + item->data().toString() + (item->isChecked() ? "+" : "");
    }
    return items.join(' ');
}

QAction* menu_item(int id)
{
    for (QAction* item : main_window->findChildren<QAction*>())
        if (item->data() == QVariant(id))
            return item;
    return nullptr;
}

// Closes each message box as it opens, noting its caption, text, icon and
// whether the main window owns it.
struct box_watch : QTimer {
    QStringList seen;

    box_watch()
    {
        connect(this, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() << box->text() << QString::number(box->icon())
                     << QString::number(box->parentWidget() == main_window);
                box->accept();
            }
        });
        start(5);
    }
};

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
        QTRY_VERIFY_WITH_TIMEOUT(!thread_running, 20000);
        close_window_queue();
        delete main_window;
        status_parts[0] = status_parts[1] = nullptr;
        std::free(std::exchange(sea, nullptr));  // kept by shut_down() only for a solver that outlasted it
        std::free(std::exchange(scores, nullptr));
    }

    void opens_fixed_repaints_all_when_uncovered_shows_its_boxes_and_exits()
    {
        QCOMPARE(main_window->windowTitle(), QString("Orvanta"));
        QCOMPARE(main_window->minimumSize(), main_window->maximumSize());
        QVERIFY(!(main_window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QImage icon = main_window->windowIcon().pixmap(32, 32).toImage();
        QVERIFY(shows_image([&](int x, int y) { return icon.pixel(x, y) & 0xFFFFFFu; }, 0, 0, &icon_pixels[0][0], 32));
        QCOMPARE(field_view->cursor().shape(), Qt::CrossCursor);
        // The field's size, the status bar's place below it, where each status part ends.
        QCOMPARE((QList<int>{field_view->width(), field_view->height(), status_bar->y() - field_view->y(),
                             status_parts[0]->geometry().right() + 1, status_parts[1]->geometry().right() + 1}),
                 (QList<int>{481, 257, 257, 176, 481}));
        QCOMPARE(menu(), QString("&File: &Solve=102 S&top Solving=104 = &Exit=101 &Edit: &Nonstop=107+ &Go Slow=108+ "
                                 "&Allow Guessing=112+ = &Random Guess=130+ Sa&fest Guess=131 &Best Guess=132 = Show &Chances=114 "
                                 "&Help: &About=103"));
        // A lost game on the board; a cell drawn while a solver is being stopped shows nothing.
        std::fill(sea, sea + xdim * ydim, CELL_HIDDEN);
        sea[0] = 1;
        sea[1] = CELL_FLAGGED;
        sea[2] = sea[3 + 2 * 30] = sea[29 + 15 * 30] = CELL_MINE;
        sea[5 + 5 * 30] = 8;
        blown_up = 1 + (3 + 2 * 30);
        killthread = 1;
        draw_cell(0, 0);
        killthread = 0;
        QCOMPARE(shown(), all_cells(TILE_HIDDEN));
        for (QLabel* part : status_parts)
            part->setText("stale");
        QExposeEvent uncovered(QRegion(0, 0, 481, 257));  // as when another window moves away
        QApplication::sendEvent(main_window->windowHandle(), &uncovered);
        QCOMPARE(shown(), all_cells(TILE_HIDDEN, {{0, 0, 1}, {1, 0, TILE_FLAG}, {2, 0, TILE_MINE}, {3, 2, TILE_EXPLODED},
                                                  {29, 15, TILE_MINE}, {5, 5, 8}}));
        // Both parts repainted: part 0 the status, empty yet, and part 1 the statistics.
        QCOMPARE(status_parts[0]->text() + status_parts[1]->text(), QString("Games played: 0, won: 0, guesses: 0"));
        // Qt's own boxes: About with no icon, an unknown id with the information icon, both owned by the window.
        box_watch boxes;
        handle_command(IDM_ABOUT);
        handle_command(105);
        QTimer::singleShot(0, [] { menu_item(IDM_EXIT)->trigger(); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(boxes.seen, (QStringList{"About", ABOUT_TEXT, "0", "1", "", UNDEFINED_COMMAND_TEXT, "1", "1"}));
        QCOMPARE(status_parts[0]->text(), QString("Shutting down..."));
        QVERIFY(QFile::exists(SCORES_FILE));
    }

    // The chances over the field: each hidden tile blended half with its tint
    // (blue at 0% to orange at 100%, worked out here), the chosen tile's
    // two outer pixels black, the opened tiles and the margin untouched; gone
    // at the next cell.
    void show_chances_tints_the_hidden_tiles_outlines_the_chosen_and_goes_at_the_next_cell()
    {
        std::vector<float> chance(xdim * ydim);
        for (int i = 0; i < xdim * ydim; i++) {
            sea[i] = i % 7 == 3 ? 2 : CELL_HIDDEN;
            chance[i] = sea[i] == 2 ? -1 : float(i % 11) / 10;
        }
        invalidate_window();
        field_view->repaint();
        QImage tiles = field_view->grab().toImage();
        int chosen = 5 + 4 * xdim;
        show_chances(chance.data(), chosen, "why");
        QImage shown = field_view->grab().toImage();
        QCOMPARE(shown.size(), tiles.size());
        int wrong = 0;
        for (int y = 0; y < shown.height(); y++)
            for (int x = 0; x < shown.width(); x++) {
                int cx = (x - 1) / 16, cy = (y - 1) / 16, tx = (x - 1) % 16, ty = (y - 1) % 16;
                QColor expected = tiles.pixelColor(x, y);
                float c = x > 0 && y > 0 ? chance[cx + cy * xdim] : -1;
                if (c >= 0) {
                    auto half = [c](int under, int from, int to) {
                        return (under * 127 + int(from + (to - from) * c + 0.5f) * 128) / 255;
                    };
                    expected = QColor(half(expected.red(), 0x00, 0xE6), half(expected.green(), 0x72, 0x9F),
                                      half(expected.blue(), 0xB2, 0x00));
                }
                if (cx + cy * xdim == chosen && x > 0 && y > 0 && (tx < 2 || ty < 2 || tx > 13 || ty > 13))
                    expected = Qt::black;
                QColor seen = shown.pixelColor(x, y);
                wrong += std::abs(seen.red() - expected.red()) > 1 || std::abs(seen.green() - expected.green()) > 1 ||
                         std::abs(seen.blue() - expected.blue()) > 1;
            }
        QCOMPARE(wrong, 0);
        QCOMPARE(status_parts[0]->toolTip(), QString("why"));
        draw_cell(0, 0);
        QVERIFY(field_view->grab().toImage() == tiles);
    }

    void presses_and_options_drive_the_solver_full_speed_loses_no_redraw_closing_names_a_failure()
    {
        userx = usery = 7;
        QTest::mousePress(field_view, Qt::RightButton, {}, QPoint(0, 32));
        QCOMPARE(QPoint(userx, usery), QPoint(7, 7));
        QTest::mousePress(field_view, Qt::LeftButton, {}, QPoint(0, 32));  // the margin pixel is in the first column
        QCOMPARE(QPoint(userx, usery), QPoint(0, 1));
        QTRY_VERIFY_WITH_TIMEOUT(games > 0, 20000);
        // Stop Solving from the menu ends the nonstop solver once its game is over.
        menu_item(IDM_GOSLOW)->trigger();
        menu_item(IDM_STOP)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(thread_running == 0, 20000);
        for (int id : {IDM_GUESS, IDM_NONSTOP})
            menu_item(id)->trigger();
        QTRY_VERIFY(allow_guessing + nonstop + goslow == 0 && menu().count('+') == 1);  // but the rule's
        // The new entries reach the core, and the marks follow.
        for (int id : {IDM_FIRST_RULE + 1, IDM_CHANCES})
            menu_item(id)->trigger();
        QTRY_VERIFY(guess_rule == find_guess_rule("safest") && chances_shown && menu().contains("Sa&fest Guess=131+") &&
                    menu().contains("Chances=114+") && !menu().contains("130+"));
        for (int id : {IDM_FIRST_RULE, IDM_CHANCES})
            menu_item(id)->trigger();
        QTRY_VERIFY(guess_rule == 0 && !chances_shown && menu().count('+') == 1);
        // Without Nonstop the solver ends at its first win. Started again once
        // no full repaint is pending, it draws every game cell by cell.
        for (int run = 0; run < 2; run++) {
            field_view->repaint();
            handle_command(IDM_SOLVE);
            QTRY_VERIFY_WITH_TIMEOUT(thread_running == 0 && pending_window_jobs() == 0, 20000);
            QCOMPARE(status_parts[0]->text(), QString("Problem solved successfully"));
        }
        QImage drawn = field_picture.copy();
        invalidate_window();
        field_view->repaint();
        QVERIFY(field_picture == drawn);
        // Closing the window where the statistics cannot be written: a box says so, the loop ends with 0.
        QFile::remove(SCORES_FILE);
        QVERIFY(QDir().mkdir(SCORES_FILE));
        box_watch boxes;
        QTimer::singleShot(0, [] { main_window->close(); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(boxes.seen, (QStringList{"", "Cannot write \"" + QDir::current().absoluteFilePath(SCORES_FILE) +
                                                  "\": Is a directory", "1", "1"}));
        QVERIFY(QDir().rmdir(SCORES_FILE));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
