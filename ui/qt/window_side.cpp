// The Qt window side: the shared queue wakes the window thread with an event;
// the solver thread is a POSIX thread.
#include "driver/window_side.h"

#include <QCoreApplication>
#include <QEvent>
#include <chrono>
#include <thread>

#include "ui/common/solver_thread.h"
#include "ui/common/window_queue.h"
#include "ui/qt/main_window.h"

void wake_window_thread()
{
    QCoreApplication::postEvent(main_window, new QEvent(TAKE_JOBS_EVENT));
}

void pause_thread(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int start_solver_thread(int stack_size)
{
    return start_detached_solver(stack_size);
}
