// The Qt tests' shared start, end and inspection of the window.
#include "tests/qt/qt_test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "driver/shutdown.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "tests/e2e/win32/tile_reader.h"
#include "tests/support/run_state.h"
#include "ui/qt/main_window.h"
#include "ui/qt/startup.h"
#include "ui/qt/status_bar.h"
#include "ui/qt/window_queue.h"

namespace {
std::string task_file(int tid, const char* name)
{
    std::ifstream file("/proc/self/task/" + std::to_string(tid) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
}  // namespace

void WindowTestCase::init()
{
    static QTemporaryDir directory;
    QDir::setCurrent(directory.path());
    reset_run_flags();
    QVERIFY(Init_Instance());
    QVERIFY(QTest::qWaitForWindowExposed(mineWind));
}

void WindowTestCase::cleanup()
{
    goslow = 0;
    shut_down();
    QElapsedTimer waited;
    waited.start();
    while (thread_running && waited.elapsed() < 20000)
        wait_taking_texts(50);
    bool ended = !thread_running;
    close_window_side();
    delete mineWind;
    mineWind = nullptr;
    field_view = nullptr;
    status_parts[0] = status_parts[1] = nullptr;
    hWndStatus = nullptr;
    QVERIFY2(ended, "a solver was still running after 20 s");
    std::free(sea);
    std::free(scores);
    sea = nullptr;
    scores = nullptr;
}

bool run_events_until(const std::function<bool()>& done, int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < milliseconds)
        QTest::qWait(5);
    return done();
}

QString cells_shown(const QImage& picture)
{
    return QString::fromStdString(cells_shown([&](int px, int py) { return picture.pixel(px, py) & 0xFFFFFFu; }, 0, 0));
}

QString cells_all(int tile, std::initializer_list<std::array<int, 3>> except)
{
    QString rows = (QString(FIELD_COLUMNS, QLatin1Char(TILE_LETTERS[tile])) + '\n').repeated(FIELD_ROWS);
    for (auto [x, y, shown] : except)
        rows[y * (FIELD_COLUMNS + 1) + x] = QLatin1Char(TILE_LETTERS[shown]);
    return "margin=white\n" + rows;
}

std::vector<int> solver_threads()
{
    std::vector<int> found;
    for (const QString& entry : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (task_file(entry.toInt(), "comm") == "orvanta-solver\n")
            found.push_back(entry.toInt());
    return found;
}

int thread_nice(int tid)
{
    // Field 19 of stat; the name in field 2 is in parentheses and may hold spaces.
    std::string stat = task_file(tid, "stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 19; i++)
        fields >> field;
    return std::stoi(field);
}

QString status_part_text(int part)
{
    return status_parts[part]->text();
}
