// What the Qt window tests share: a fresh window per test and ways to look at it.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <initializer_list>
#include <vector>

// Base of the test classes: before each test the run's flags, counters and
// texts are reset, the clock pinned (the same fields every run) and the window
// started as the program does, in a temporary directory of the process's own,
// where the statistics file lands. After it any solver is stopped (the window
// taking its texts meanwhile), the window let go and the arrays freed.
class WindowTestCase : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
};

// Runs the event loop until done() holds or the time is up; returns done().
bool run_events_until(const std::function<bool()>& done, int milliseconds);

// The field's picture as tile_reader.h's cells_shown() reads it.
QString cells_shown(const QImage& picture);
// What cells_shown() reads from a field with a white margin whose cells all
// show one tile, but for the listed cells {x, y, tile}.
QString cells_all(int tile, std::initializer_list<std::array<int, 3>> except = {});

// The ids of the threads named as the solver.
std::vector<int> solver_threads();
// The nice value of a thread of this process.
int thread_nice(int tid);

// The text shown in status part 0 or 1.
QString status_part_text(int part);
