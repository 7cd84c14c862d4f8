// The Qt tests' shared start, end and inspection of the window.
#include "tests/qt/qt_test_support.h"

#include <unistd.h>

#include <QApplication>
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
#include "resources/tile_data.h"
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

// Calls visit(tid) for every thread named as the solver.
template <typename Visit>
void for_each_solver_thread(Visit visit)
{
    for (const QString& entry : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        int tid = entry.toInt();
        if (task_file(tid, "comm") == "orvanta-solver\n")
            visit(tid);
    }
}
}  // namespace

void enter_temporary_directory()
{
    static QTemporaryDir directory;
    QDir::setCurrent(directory.path());
}

bool start_window()
{
    reset_run_flags();
    if (!Init_Instance())
        return false;
    return QTest::qWaitForWindowExposed(mineWind);
}

bool end_window()
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
    if (ended) {
        std::free(sea);
        std::free(scores);
        sea = nullptr;
        scores = nullptr;
    }
    return ended;
}

bool run_events_until(const std::function<bool()>& done, int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < milliseconds)
        QTest::qWait(5);
    return done();
}

QColor tile_colour(int tile, int row, int column)
{
    const uint8_t* rgb = palette_rgb[tile_pixels[tile][row][column]];
    return QColor(rgb[0], rgb[1], rgb[2]);
}

int cell_mismatch(const QImage& picture, int x, int y, int tile)
{
    for (int row = 0; row < 16; row++)
        for (int column = 0; column < 16; column++)
            if (picture.pixelColor(x * 16 + 1 + column, y * 16 + 1 + row) != tile_colour(tile, row, column))
                return row * 16 + column;
    return -1;
}

int solver_thread_id()
{
    int found = 0;
    for_each_solver_thread([&](int tid) { found = tid; });
    return found;
}

int solver_thread_count()
{
    int count = 0;
    for_each_solver_thread([&](int) { count++; });
    return count;
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
