// The Qt window side under load: the bounded ordered queue, the synchronous
// text hand-over, the shutdown's wait, and the solver thread's stack.
#include <unistd.h>

#include <QTest>
#include <atomic>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "driver/bridge.h"
#include "driver/shutdown.h"
#include "driver/solver.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "tests/qt/qt_test_support.h"
#include "ui/qt/main_window.h"
#include "ui/qt/messages.h"
#include "ui/qt/status_bar.h"
#include "ui/qt/tiles.h"
#include "ui/qt/window_queue.h"

namespace {

// Another thread that may wait on the window. Should a check fail while it
// still waits, the window side is closed so that it returns and can be joined.
struct other_thread {
    std::thread thread;
    ~other_thread()
    {
        if (!thread.joinable())
            return;
        close_window_side();
        thread.join();
    }
};

// Posts count cell messages from another thread, cycling over the board.
struct poster : other_thread {
    std::atomic<int> posted{0};

    void start(int count)
    {
        thread = std::thread([this, count] {
            for (int i = 0; i < count; i++) {
                post_window_message(WM_SHOW_CELL, i % 30, (i / 30) % 16);
                posted++;
            }
        });
    }
};

// Waits, without running the event loop, so the window thread takes nothing.
template <typename Done>
bool wait_without_events(Done done, int milliseconds)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return done();
}

// Bytes of stack the thread has left: from its stack pointer, read in /proc
// while it waits, down to the start of its mapping, where the guard page (a
// mapping of its own) lies. Whatever is mapped above cannot change this.
long stack_left(int tid)
{
    std::ifstream syscall("/proc/self/task/" + std::to_string(tid) + "/syscall");
    std::string word;
    std::vector<std::string> words;
    while (syscall >> word)
        words.push_back(word);
    if (words.size() < 3)
        return -1;
    unsigned long sp = std::stoul(words[words.size() - 2], nullptr, 16);
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        unsigned long from = 0;
        unsigned long to = 0;
        char dash = 0;
        std::istringstream range(line);
        range >> std::hex >> from >> dash >> to;
        if (sp >= from && sp < to)
            return static_cast<long>(sp - from);
    }
    return -1;
}

}  // namespace

class WindowSideTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { enter_temporary_directory(); }
    void init()
    {
        QVERIFY(start_window());
        for (int i = 0; i < xdim * ydim; i++)
            sea[i] = 5;
    }
    void cleanup() { QVERIFY(end_window()); }

    void a_full_queue_holds_the_poster_until_the_window_takes_it_in_order()
    {
        poster p;
        p.start(25000);
        QVERIFY(wait_without_events([&] { return p.posted == WINDOW_QUEUE_CAPACITY; }, 5000));
        // Not processing events: the window thread takes nothing, the poster waits.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        QCOMPARE(pending_messages(), WINDOW_QUEUE_CAPACITY);
        QCOMPARE(p.posted.load(), WINDOW_QUEUE_CAPACITY);

        int most = 0;
        QVERIFY(run_events_until([&] {
            most = std::max(most, pending_messages());
            return p.posted == 25000 && pending_messages() == 0;
        }, 20000));
        p.thread.join();
        QVERIFY(most <= WINDOW_QUEUE_CAPACITY);
        QImage shown = field_view->grab().toImage();
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 30; x++)
                QCOMPARE(cell_mismatch(shown, x, y, 5), -1);

        // Order: a new field queued after a cell hides it; a cell queued after it shows again.
        std::thread([] {
            post_window_message(WM_SHOW_CELL, 3, 3);
            post_window_message(WM_SHOW_NEW_FIELD, 0, 0);
            post_window_message(WM_SHOW_CELL, 4, 4);
        }).join();
        QVERIFY(run_events_until([] { return pending_messages() == 0; }, 2000));
        shown = field_view->grab().toImage();
        QCOMPARE(cell_mismatch(shown, 3, 3, TILE_HIDDEN), -1);
        QCOMPARE(cell_mismatch(shown, 4, 4, 5), -1);
    }

    void a_text_from_another_thread_returns_only_once_the_window_took_it()
    {
        QVERIFY(run_events_until([] { return status_part_text(1) != "-"; }, 2000));
        std::atomic<bool> returned{false};
        other_thread sender{std::thread([&] {
            char text[] = "Bad guess!";
            set_status_text(0, text);
            text[0] = 'X';  // the window copied it before the sender went on
            returned = true;
        })};
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        QVERIFY(!returned);
        QCOMPARE(status_part_text(0), QString(""));
        QVERIFY(run_events_until([&] { return returned.load(); }, 2000));
        sender.thread.join();
        QCOMPARE(status_part_text(0), QString("Bad guess!"));
    }

    void the_shutdown_wait_keeps_taking_texts_and_making_room()
    {
        poster p;
        p.start(WINDOW_QUEUE_CAPACITY + 50);
        QVERIFY(wait_without_events([&] { return p.posted == WINDOW_QUEUE_CAPACITY; }, 5000));
        std::atomic<bool> returned{false};
        other_thread sender{std::thread([&] {
            set_status_text(1, "Games played: 9, won: 9, guesses: 9");
            returned = true;
        })};
        // Only the wait runs on the window thread, as inside shut_down().
        wait_taking_texts(300);
        QVERIFY(wait_without_events([&] { return returned && p.posted == WINDOW_QUEUE_CAPACITY + 50; }, 1000));
        QCOMPARE(status_part_text(1), QString("Games played: 9, won: 9, guesses: 9"));
    }

    void closing_the_window_side_releases_every_waiting_thread()
    {
        poster p;
        p.start(WINDOW_QUEUE_CAPACITY + 1);
        std::atomic<bool> returned{false};
        other_thread sender{std::thread([&] {
            set_status_text(0, "Starting to solve");
            returned = true;
        })};
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        QVERIFY(!returned);
        close_window_side();
        QVERIFY(wait_without_events([&] { return returned && p.posted == WINDOW_QUEUE_CAPACITY + 1; }, 1000));
        QCOMPARE(pending_messages(), 0);
    }

    void the_solver_runs_on_a_32760_byte_stack()
    {
        // The solver's first text waits for the window thread, which takes nothing
        // here, so the thread stays put while its stack is looked at.
        goslow = 0;
        thread_running = 1;
        QVERIFY(start_solver_thread(mineWind));
        int tid = 0;
        QVERIFY(wait_without_events([&] { return (tid = solver_thread_id()) != 0; }, 5000));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        long left = stack_left(tid);
        QVERIFY2(left > 0, "the solver's stack pointer could not be read from /proc");
        QVERIFY2(left < SOLVER_STACK_SIZE, qPrintable(QString::number(left)));
        stop_solving = 1;
    }
};

QTEST_MAIN(WindowSideTest)
#include "window_side_test.moc"
