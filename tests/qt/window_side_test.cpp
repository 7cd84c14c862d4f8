// The Qt window side under load: the bounded ordered queue, the synchronous
// text hand-over, the shutdown's wait, the solver thread's stack, and nonstop
// play at full speed.
//
// ORVANTA_FULL_SPEED_SECONDS="A,B" compares memory after A and after B seconds
// of full-speed play (default 2,6; "10,60" for the long run).
#include <unistd.h>

#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "driver/bridge.h"
#include "driver/shutdown.h"
#include "driver/solver.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "tests/qt/qt_test_support.h"
#include "ui/qt/main_window.h"
#include "ui/qt/messages.h"
#include "ui/qt/status_bar.h"
#include "ui/qt/tiles.h"
#include "ui/qt/window_queue.h"

namespace {

// Another thread that may wait on the window; done counts what it finished.
// Should a check fail while it still waits, the window side is closed so that
// it returns and can be joined.
struct other_thread {
    std::atomic<int> done{0};
    std::thread thread;

    ~other_thread()
    {
        if (thread.joinable()) {
            close_window_side();
            thread.join();
        }
    }
    // Posts count cell messages, cycling over the board.
    void post_cells(int count)
    {
        thread = std::thread([this, count] {
            for (; done < count; done++)
                post_window_message(WM_SHOW_CELL, done % 30, (done / 30) % 16);
        });
    }
    // Hands a status text over, then spoils its own copy: the window must have
    // copied the text before the hand-over returned.
    void hand_over(int part, std::string text)
    {
        thread = std::thread([this, part, text]() mutable {
            set_status_text(part, text.c_str());
            text.assign(text.size(), 'X');
            done = 1;
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
    std::vector<std::string> words{std::istream_iterator<std::string>(syscall), {}};
    if (words.size() < 3)
        return -1;
    unsigned long sp = std::stoul(words[words.size() - 2], nullptr, 16);
    std::ifstream maps("/proc/self/maps");
    unsigned long from = 0;
    unsigned long to = 0;
    char dash = 0;
    for (std::string rest; maps >> std::hex >> from >> dash >> to && std::getline(maps, rest);)
        if (sp >= from && sp < to)
            return static_cast<long>(sp - from);
    return -1;
}

long resident_bytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Runs the event loop as the program does (QTest::qWait would sleep between turns).
void play_for(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

class WindowSideTest : public WindowTestCase {
    Q_OBJECT
private slots:
    void a_full_queue_holds_the_poster_until_the_window_takes_it_in_order()
    {
        for (int i = 0; i < xdim * ydim; i++)
            sea[i] = 5;
        other_thread poster;
        poster.post_cells(25000);
        QVERIFY(wait_without_events([&] { return poster.done == WINDOW_QUEUE_CAPACITY; }, 5000));
        // Not processing events: the window thread takes nothing, the poster waits.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        QCOMPARE(pending_messages(), WINDOW_QUEUE_CAPACITY);
        QCOMPARE(poster.done.load(), WINDOW_QUEUE_CAPACITY);

        int most = 0;
        QVERIFY(run_events_until([&] {
            most = std::max(most, pending_messages());
            return poster.done == 25000 && pending_messages() == 0;
        }, 20000));
        poster.thread.join();
        QVERIFY(most <= WINDOW_QUEUE_CAPACITY);
        QCOMPARE(cells_shown(field_view->grab().toImage()), cells_all(5));

        // Order: a new field queued after a cell hides it; a cell queued after it shows again.
        std::thread([] {
            post_window_message(WM_SHOW_CELL, 3, 3);
            post_window_message(WM_SHOW_NEW_FIELD, 0, 0);
            post_window_message(WM_SHOW_CELL, 4, 4);
        }).join();
        QVERIFY(run_events_until([] { return pending_messages() == 0; }, 2000));
        QCOMPARE(cells_shown(field_view->grab().toImage()), cells_all(TILE_HIDDEN, {{4, 4, 5}}));
    }

    void a_text_from_another_thread_returns_only_once_the_window_took_it()
    {
        QVERIFY(run_events_until([] { return status_part_text(1) != "-"; }, 2000));
        other_thread sender;
        sender.hand_over(0, "Bad guess!");
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        QVERIFY(!sender.done);
        QCOMPARE(status_part_text(0), QString(""));
        QVERIFY(run_events_until([&] { return sender.done == 1; }, 2000));
        sender.thread.join();
        QCOMPARE(status_part_text(0), QString("Bad guess!"));
    }

    void the_shutdown_wait_serves_waiting_threads_and_closing_the_window_side_releases_them()
    {
        other_thread poster;
        poster.post_cells(WINDOW_QUEUE_CAPACITY + 50);
        QVERIFY(wait_without_events([&] { return poster.done == WINDOW_QUEUE_CAPACITY; }, 5000));
        other_thread sender;
        sender.hand_over(1, "Games played: 9, won: 9, guesses: 9");
        // Only the wait runs on the window thread, as inside shut_down().
        wait_taking_texts(300);
        QVERIFY(wait_without_events([&] { return sender.done && poster.done == WINDOW_QUEUE_CAPACITY + 50; }, 1000));
        QCOMPARE(status_part_text(1), QString("Games played: 9, won: 9, guesses: 9"));

        other_thread late_poster;
        late_poster.post_cells(WINDOW_QUEUE_CAPACITY + 1);
        other_thread late_sender;
        late_sender.hand_over(0, "Starting to solve");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        QVERIFY(!late_sender.done);
        close_window_side();
        QVERIFY(wait_without_events(
            [&] { return late_sender.done && late_poster.done == WINDOW_QUEUE_CAPACITY + 1; }, 1000));
        QCOMPARE(pending_messages(), 0);
    }

    void the_solver_runs_on_a_32760_byte_stack()
    {
        // The solver's first text waits for the window thread, which takes nothing
        // here, so the thread stays put while its stack is looked at.
        goslow = 0;
        thread_running = 1;
        QVERIFY(start_solver_thread(mineWind));
        QVERIFY(wait_without_events([] { return !solver_threads().empty(); }, 5000));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        long left = stack_left(solver_threads()[0]);
        QVERIFY2(left > 0, "the solver's stack pointer could not be read from /proc");
        QVERIFY2(left < SOLVER_STACK_SIZE, qPrintable(QString::number(left)));
        stop_solving = 1;
    }

    void nonstop_play_keeps_memory_flat_and_loses_no_redraw()
    {
        int first = 2;
        int second = 6;
        if (const char* seconds = std::getenv("ORVANTA_FULL_SPEED_SECONDS"))
            QVERIFY(std::sscanf(seconds, "%d,%d", &first, &second) == 2 && 0 < first && first < second);

        handle_window_message(WM_COMMAND, IDM_GOSLOW, 0);
        QCOMPARE(int(goslow), 0);
        QCOMPARE(int(nonstop), 1);
        handle_window_message(WM_COMMAND, IDM_SOLVE, 0);
        play_for(first * 1000);
        long early = resident_bytes();
        int early_games = games;
        play_for((second - first) * 1000);
        long late = resident_bytes();
        int late_games = games;

        qInfo("resident memory after %d s: %ld KiB, after %d s: %ld KiB; games %d then %d", first, early / 1024, second,
              late / 1024, early_games, late_games);
        QVERIFY(late_games > early_games);
        QVERIFY2(std::abs(late - early) * 10 < early, "resident memory changed by 10% or more");

        // Stop, the toggles and a lost game repaint the whole field, which would hide a lost
        // redraw: with guessing and Nonstop off the solver ends on its next won game, drawn cell by cell.
        handle_window_message(WM_COMMAND, IDM_GUESS, 0);
        handle_window_message(WM_COMMAND, IDM_NONSTOP, 0);
        QVERIFY(run_events_until([] { return thread_running == 0 && pending_messages() == 0; }, 60000));
        QCOMPARE(status_part_text(0), QString("Problem solved successfully"));
        QTest::qWait(50);
        QImage drawn = field_picture.copy();
        invalidate_window();
        field_view->grab();
        QVERIFY(field_picture == drawn);
    }
};

QTEST_MAIN(WindowSideTest)
#include "window_side_test.moc"
