// The bounded redraw queue and the one-text mailbox between the solver thread
// and the window thread.
#include "ui/common/window_queue.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "driver/bridge.h"
#include "driver/window_side.h"
#include "engine/board.h"

namespace {

enum job_kind { JOB_CELL, JOB_NEW_FIELD, JOB_REPAINT, JOB_CHANCES };

struct window_job {
    job_kind kind;
    int x;
    int y;
};

// Never destroyed: a solver that outlives the shutdown may still touch them
// while the process ends.
std::mutex& queue_lock = *new std::mutex;
std::condition_variable& room = *new std::condition_variable;         // the window took jobs or the text
std::condition_variable& window_wake = *new std::condition_variable;  // the solver handed something over

window_job ring[WINDOW_QUEUE_CAPACITY];
int ring_first;
int ring_count;
// The chances of a guess wait here, behind the cells queued before them, and
// the solver waits until the window has copied them.
std::vector<float>& handed_chances = *new std::vector<float>;
int handed_chosen;
char handed_reason[REASON_TEXT_SIZE];
bool chances_waiting;
char handed_text[STATUS_TEXT_SIZE];
int handed_part;
bool text_waiting;
bool take_scheduled;
bool window_open;
std::thread::id window_thread;

// Holding queue_lock.
bool on_window_thread()
{
    return window_open && std::this_thread::get_id() == window_thread;
}

// Has the window thread take the queue soon. Holding queue_lock.
void schedule_take()
{
    if (take_scheduled || !window_open)
        return;
    take_scheduled = true;
    wake_window_thread();
}

// Window thread: the front end copies the chances, and the solver goes on.
void take_handed_chances()
{
    draw_chances(handed_chances.data(), handed_chosen, handed_reason);
    std::lock_guard<std::mutex> hold(queue_lock);
    chances_waiting = false;
    room.notify_all();
}

void run_job(const window_job& job)
{
    switch (job.kind) {
    case JOB_CELL:
        draw_cell(job.x, job.y);
        break;
    case JOB_NEW_FIELD:
        draw_new_field();
        break;
    case JOB_REPAINT:
        invalidate_window();
        break;
    case JOB_CHANCES:
        take_handed_chances();
        break;
    }
}

// Window thread: shows the text the solver is waiting to hand over, if any.
void take_handed_text()
{
    char text[STATUS_TEXT_SIZE];
    int part;
    {
        std::lock_guard<std::mutex> hold(queue_lock);
        if (!text_waiting)
            return;
        std::memcpy(text, handed_text, STATUS_TEXT_SIZE);
        part = handed_part;
        text_waiting = false;
        room.notify_all();
    }
    show_status_part(part, text);
}

// Window thread: takes the text, then up to count jobs in order.
void take_jobs(int count)
{
    take_handed_text();
    for (int i = 0; i < count; i++) {
        window_job job;
        {
            std::lock_guard<std::mutex> hold(queue_lock);
            if (ring_count == 0)
                break;
            job = ring[ring_first];
            ring_first = (ring_first + 1) % WINDOW_QUEUE_CAPACITY;
            // Waking the solver once half the queue is free, rather than at
            // every job, keeps it from trading the lock job by job.
            if (--ring_count == WINDOW_QUEUE_CAPACITY / 2)
                room.notify_all();
        }
        run_job(job);
    }
    std::lock_guard<std::mutex> hold(queue_lock);
    room.notify_all();
}

void post_job(const window_job& job)
{
    std::unique_lock<std::mutex> hold(queue_lock);
    if (on_window_thread()) {
        // Never wait on ourselves: what is queued is drawn first, then this.
        hold.unlock();
        take_jobs(WINDOW_QUEUE_CAPACITY);
        run_job(job);
        return;
    }
    room.wait(hold, [] { return ring_count < WINDOW_QUEUE_CAPACITY || !window_open; });
    if (!window_open)
        return;
    ring[(ring_first + ring_count) % WINDOW_QUEUE_CAPACITY] = job;
    ring_count++;
    schedule_take();
    window_wake.notify_all();
}

}  // namespace

void open_window_queue()
{
    std::lock_guard<std::mutex> hold(queue_lock);
    window_thread = std::this_thread::get_id();
    ring_first = 0;
    ring_count = 0;
    text_waiting = false;
    chances_waiting = false;
    take_scheduled = false;
    window_open = true;
}

void close_window_queue()
{
    std::lock_guard<std::mutex> hold(queue_lock);
    window_open = false;
    ring_count = 0;
    text_waiting = false;
    chances_waiting = false;
    room.notify_all();
}

int pending_window_jobs()
{
    std::lock_guard<std::mutex> hold(queue_lock);
    return ring_count;
}

void take_window_jobs()
{
    int count;
    {
        std::lock_guard<std::mutex> hold(queue_lock);
        take_scheduled = false;
        count = ring_count;
    }
    take_jobs(count);
    std::lock_guard<std::mutex> hold(queue_lock);
    if (ring_count > 0 || text_waiting)
        schedule_take();
}

void show_cell(int x, int y)
{
    post_job({JOB_CELL, x, y});
}

void show_new_field()
{
    post_job({JOB_NEW_FIELD, 0, 0});
}

void repaint_window()
{
    // Queued behind the cells already shown, as a repaint follows them.
    post_job({JOB_REPAINT, 0, 0});
}

void show_chances(const float* chance, int chosen, const char* reason)
{
    {
        std::unique_lock<std::mutex> hold(queue_lock);
        if (on_window_thread()) {
            hold.unlock();
            draw_chances(chance, chosen, reason);
            return;
        }
        room.wait(hold, [] { return !chances_waiting || !window_open; });
        if (!window_open)
            return;
        handed_chances.assign(chance, chance + xdim * ydim);
        handed_chosen = chosen;
        std::snprintf(handed_reason, REASON_TEXT_SIZE, "%s", reason);
        chances_waiting = true;
    }
    post_job({JOB_CHANCES, 0, 0});
    std::unique_lock<std::mutex> hold(queue_lock);
    room.wait(hold, [] { return !chances_waiting || !window_open; });
}

void set_status_text(int part, const char* text)
{
    std::unique_lock<std::mutex> hold(queue_lock);
    if (on_window_thread()) {
        hold.unlock();
        show_status_part(part, text);
        return;
    }
    room.wait(hold, [] { return !text_waiting || !window_open; });
    if (!window_open)
        return;
    std::strncpy(handed_text, text, STATUS_TEXT_SIZE - 1);
    handed_text[STATUS_TEXT_SIZE - 1] = '\0';
    handed_part = part;
    text_waiting = true;
    schedule_take();
    window_wake.notify_all();
    room.wait(hold, [] { return !text_waiting || !window_open; });
}

void wait_taking_texts(int milliseconds)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        // The queue is taken too: a solver waiting for room could not end otherwise.
        take_jobs(WINDOW_QUEUE_CAPACITY);
        std::unique_lock<std::mutex> hold(queue_lock);
        window_wake.wait_until(hold, until, [] { return text_waiting || ring_count > 0; });
    } while (std::chrono::steady_clock::now() < until);
}
