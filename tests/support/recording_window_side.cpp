// The recording window side (POSIX threads for the solver thread).
#include "tests/support/recording_window_side.h"

#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "driver/solver.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"

namespace {

std::mutex lock;
std::condition_variable changed;
std::vector<recorded_message> messages;
std::vector<recorded_text> texts;
std::vector<int> pause_list;
std::vector<std::string> event_log;
int repaints;
int threads_started;
int stop_at_games;
int deepest_level;
uintptr_t stack_at_level_1;
uintptr_t stack_at_deepest;
bool pauses_held;
bool handing_over;
std::thread::id window_thread;
const char* handed_text;  // a text waiting for the window thread, or null
int handed_part;

void record_text(int part, const char* text)
{
    if (part == 1 && stop_at_games && games >= stop_at_games)
        stop_solving = 1;
    texts.push_back({part, text});
    event_log.push_back("text " + std::to_string(part) + " " + text);
}

void* solver_entry(void* window)
{
    SolverThread(window);
    return nullptr;
}

}  // namespace

int solver_stack_size()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return 1 << 20;
#else
    return SOLVER_STACK_SIZE;
#endif
}

void reset_window_side()
{
    std::lock_guard<std::mutex> hold(lock);
    messages.clear();
    texts.clear();
    pause_list.clear();
    event_log.clear();
    deepest_level = 0;
    stack_at_level_1 = 0;
    stack_at_deepest = 0;
    repaints = 0;
    threads_started = 0;
    stop_at_games = 0;
    pauses_held = false;
    handing_over = false;
    handed_text = nullptr;
}

std::vector<recorded_message> posted_messages()
{
    std::lock_guard<std::mutex> hold(lock);
    return messages;
}

std::vector<recorded_text> status_texts()
{
    std::lock_guard<std::mutex> hold(lock);
    return texts;
}

std::vector<int> pauses()
{
    std::lock_guard<std::mutex> hold(lock);
    return pause_list;
}

int repaint_count()
{
    std::lock_guard<std::mutex> hold(lock);
    return repaints;
}

std::vector<std::string> events()
{
    std::lock_guard<std::mutex> hold(lock);
    return event_log;
}

int deepest_report_level()
{
    std::lock_guard<std::mutex> hold(lock);
    return deepest_level;
}

long stack_bytes_to_deepest_report()
{
    std::lock_guard<std::mutex> hold(lock);
    return static_cast<long>(stack_at_level_1 - stack_at_deepest);
}

int solver_threads_started()
{
    std::lock_guard<std::mutex> hold(lock);
    return threads_started;
}

void stop_after_games(int count)
{
    std::lock_guard<std::mutex> hold(lock);
    stop_at_games = count;
}

void hold_pauses()
{
    std::lock_guard<std::mutex> hold(lock);
    pauses_held = true;
}

void release_pauses()
{
    std::lock_guard<std::mutex> hold(lock);
    pauses_held = false;
    changed.notify_all();
}

void make_this_the_window_thread()
{
    std::lock_guard<std::mutex> hold(lock);
    handing_over = true;
    window_thread = std::this_thread::get_id();
}

bool text_waiting_for_window()
{
    std::lock_guard<std::mutex> hold(lock);
    return handed_text != nullptr;
}

void post_window_message(uint32_t message, intptr_t wparam, intptr_t lparam)
{
    auto here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    std::lock_guard<std::mutex> hold(lock);
    messages.push_back({message, wparam, lparam});
    event_log.push_back("post " + std::to_string(message) + " " + std::to_string(wparam) + " " + std::to_string(lparam));
    if (level == 1)
        stack_at_level_1 = here;
    if (level > deepest_level) {
        deepest_level = level;
        stack_at_deepest = here;
    }
}

void set_status_text(int part, const char* text)
{
    std::unique_lock<std::mutex> hold(lock);
    if (!handing_over || std::this_thread::get_id() == window_thread) {
        record_text(part, text);
        return;
    }
    changed.wait(hold, [] { return handed_text == nullptr; });
    handed_text = text;
    handed_part = part;
    changed.notify_all();
    changed.wait(hold, [text] { return handed_text != text; });
}

void pause_thread(int milliseconds)
{
    std::unique_lock<std::mutex> hold(lock);
    pause_list.push_back(milliseconds);
    event_log.push_back("pause " + std::to_string(milliseconds));
    changed.wait(hold, [] { return !pauses_held; });
}

void repaint_window(void*)
{
    std::lock_guard<std::mutex> hold(lock);
    repaints++;
    event_log.push_back("repaint");
}

int start_solver_thread(void* window)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, solver_stack_size());
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    pthread_t thread;
    int failed = pthread_create(&thread, &attributes, solver_entry, window);
    pthread_attr_destroy(&attributes);
    if (failed)
        return 0;
    std::lock_guard<std::mutex> hold(lock);
    threads_started++;
    return 1;
}

void wait_taking_texts(int milliseconds)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::unique_lock<std::mutex> hold(lock);
    for (;;) {
        if (handed_text) {
            record_text(handed_part, handed_text);
            handed_text = nullptr;
            changed.notify_all();
        }
        if (changed.wait_until(hold, until) == std::cv_status::timeout)
            return;
    }
}
