// Nonstop play at full speed: the queue stays bounded, memory stays flat, and
// the picture the window ends with is the one a full repaint draws.
//
// ORVANTA_FULL_SPEED_SECONDS="A,B" compares memory after A and after B seconds
// of play (default 2,6; "10,60" for the long run).
#include <unistd.h>

#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <fstream>

#include "driver/state.h"
#include "resources/resource_ids.h"
#include "tests/qt/qt_test_support.h"
#include "ui/qt/main_window.h"
#include "ui/qt/messages.h"
#include "ui/qt/window_queue.h"

namespace {

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

class FullSpeedTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { enter_temporary_directory(); }
    void init() { QVERIFY(start_window()); }
    void cleanup() { QVERIFY(end_window()); }

    void nonstop_play_keeps_the_queue_bounded_and_memory_flat()
    {
        int first = 2;
        int second = 6;
        if (const char* seconds = std::getenv("ORVANTA_FULL_SPEED_SECONDS"))
            QVERIFY(std::sscanf(seconds, "%d,%d", &first, &second) == 2 && 0 < first && first < second);

        int most_pending = 0;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] { most_pending = std::max(most_pending, pending_messages()); });
        sampler.start(1);

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
        sampler.stop();

        qInfo("resident memory after %d s: %ld KiB, after %d s: %ld KiB; games %d then %d; most messages pending %d",
              first, early / 1024, second, late / 1024, early_games, late_games, most_pending);
        QVERIFY(late_games > early_games);
        QVERIFY(most_pending <= WINDOW_QUEUE_CAPACITY);
        QVERIFY2(std::abs(late - early) * 10 < early, "resident memory changed by 10% or more");

        handle_window_message(WM_COMMAND, IDM_STOP, 0);
        QVERIFY(run_events_until([] { return thread_running == 0 && pending_messages() == 0; }, 20000));
        QTest::qWait(50);
        QImage drawn = field_picture.copy();
        invalidate_window();
        field_view->grab();
        QVERIFY(field_picture == drawn);
    }
};

QTEST_MAIN(FullSpeedTest)
#include "full_speed_test.moc"
