// The recording window side: the shared queue's handlers, and the pause and
// solver start of the seam.
#include "tests/support/recorder.h"

#include <chrono>
#include <cstdio>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "driver/window_side.h"
#include "ui/common/solver_thread.h"
#include "ui/common/window_queue.h"

namespace {

std::mutex lock;
std::condition_variable released;
std::vector<std::string> log;
bool pauses_held;
int stack_asked;  // 0: as the caller asks

void record(std::string event)
{
    std::lock_guard<std::mutex> hold(lock);
    log.push_back(std::move(event));
}

}  // namespace

void wake_window_thread() {}
void draw_cell(int x, int y)
{
    record("cell " + std::to_string(x) + " " + std::to_string(y));
}
void draw_new_field()
{
    record("field");
}
void invalidate_window()
{
    record("repaint");
}
void show_status_part(int part, const char* text)
{
    record("text " + std::to_string(part) + " " + text);
}
void draw_chances(const float* chance, int chosen, const char* reason)
{
    record("chances " + std::to_string(chosen) + " " + std::to_string(chance[chosen]) + " " + reason);
}

void pause_thread(int milliseconds)
{
    std::unique_lock<std::mutex> hold(lock);
    log.push_back("pause " + std::to_string(milliseconds));
    released.wait(hold, [] { return !pauses_held; });
}

int start_solver_thread(int stack_size)
{
    return start_detached_solver(stack_asked ? stack_asked : stack_size);
}

void ask_solver_stack(int bytes)
{
    stack_asked = bytes;
}

void reset_recorder()
{
    open_window_queue();
    std::lock_guard<std::mutex> hold(lock);
    log.clear();
    pauses_held = false;
    stack_asked = 0;
}

std::vector<std::string> events()
{
    take_window_jobs();
    std::lock_guard<std::mutex> hold(lock);
    return log;
}

std::vector<std::pair<int, int>> cells()
{
    std::vector<std::pair<int, int>> drawn;
    for (const std::string& event : events()) {
        int x, y;
        if (std::sscanf(event.c_str(), "cell %d %d", &x, &y) == 2)
            drawn.emplace_back(x, y);
    }
    return drawn;
}

std::vector<std::string> texts(int part)
{
    std::string prefix = "text " + std::to_string(part) + " ";
    std::vector<std::string> shown;
    for (const std::string& event : events())
        if (event.starts_with(prefix))
            shown.push_back(event.substr(prefix.size()));
    return shown;
}

std::string joined_events()
{
    std::string text;
    for (const std::string& event : events())
        text += (text.empty() ? "" : "; ") + event;
    return text;
}

bool serve_window_until(const std::function<bool()>& done, int milliseconds)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        take_window_jobs();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

void hold_pauses(bool held)
{
    std::lock_guard<std::mutex> hold(lock);
    pauses_held = held;
    released.notify_all();
}
