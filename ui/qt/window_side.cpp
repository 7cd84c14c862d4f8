// The Qt window side: the solver's messages travel through a bounded queue and
// its status texts through a one-text mailbox, both taken by the window thread.
#include "driver/window_side.h"

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "driver/bridge.h"
#include "driver/solver.h"
#include "ui/qt/main_window.h"
#include "ui/qt/messages.h"
#include "ui/qt/status_bar.h"
#include "ui/qt/window_queue.h"

namespace {

// The solver runs one nice step below the window thread, as "below normal"
// is one step below normal priority.
constexpr int SOLVER_NICE_STEP = 1;

struct queued_message {
    uint32_t message;
    intptr_t wparam;
    intptr_t lparam;
};

// Never destroyed: a solver that outlives the shutdown may still touch them
// while the process ends.
std::mutex& queue_lock = *new std::mutex;
std::condition_variable& room = *new std::condition_variable;        // the window took messages or texts
std::condition_variable& window_wake = *new std::condition_variable;  // the solver handed something over

queued_message ring[WINDOW_QUEUE_CAPACITY];
int ring_first;
int ring_count;
char handed_text[STATUS_TEXT_SIZE];
int handed_part;
bool text_waiting;
bool take_scheduled;
bool window_open;
pthread_t window_thread;

bool on_window_thread()
{
    return pthread_equal(pthread_self(), window_thread);
}

// Has the window thread take the queue on its next turn of the event loop.
// Holding queue_lock.
void schedule_take()
{
    if (take_scheduled || !window_open)
        return;
    take_scheduled = true;
    QCoreApplication::postEvent(mineWind, new QEvent(TAKE_PENDING_EVENT));
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
    set_status_part(part, text);
}

// Window thread: takes the text, then up to count messages in order.
void take_messages(int count)
{
    take_handed_text();
    for (int i = 0; i < count; i++) {
        queued_message m;
        {
            std::lock_guard<std::mutex> hold(queue_lock);
            if (ring_count == 0)
                break;
            m = ring[ring_first];
            ring_first = (ring_first + 1) % WINDOW_QUEUE_CAPACITY;
            // Waking the solver once half the queue is free, rather than at
            // every message, keeps it from trading the lock message by message.
            if (--ring_count == WINDOW_QUEUE_CAPACITY / 2)
                room.notify_all();
        }
        handle_window_message(m.message, m.wparam, m.lparam);
    }
    std::lock_guard<std::mutex> hold(queue_lock);
    room.notify_all();
}

void* solver_entry(void* window)
{
    pthread_setname_np(pthread_self(), "orvanta-solver");
    errno = 0;
    int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    if (errno == 0)
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), nice + SOLVER_NICE_STEP);
    SolverThread(window);
    return nullptr;
}

}  // namespace

void open_window_side()
{
    std::lock_guard<std::mutex> hold(queue_lock);
    window_thread = pthread_self();
    ring_first = 0;
    ring_count = 0;
    text_waiting = false;
    take_scheduled = false;
    window_open = true;
}

void close_window_side()
{
    std::lock_guard<std::mutex> hold(queue_lock);
    window_open = false;
    ring_count = 0;
    text_waiting = false;
    room.notify_all();
}

int pending_messages()
{
    std::lock_guard<std::mutex> hold(queue_lock);
    return ring_count;
}

void take_pending_messages()
{
    int count;
    {
        std::lock_guard<std::mutex> hold(queue_lock);
        take_scheduled = false;
        count = ring_count;
    }
    take_messages(count);
    std::lock_guard<std::mutex> hold(queue_lock);
    if (ring_count > 0 || text_waiting)
        schedule_take();
}

void post_window_message(uint32_t message, intptr_t wparam, intptr_t lparam)
{
    if (on_window_thread()) {
        if (!window_open)
            return;
        // Never wait on ourselves: Qt's own queue takes the window's posts.
        QMetaObject::invokeMethod(
            mineWind, [=] { handle_window_message(message, wparam, lparam); }, Qt::QueuedConnection);
        return;
    }
    std::unique_lock<std::mutex> hold(queue_lock);
    room.wait(hold, [] { return ring_count < WINDOW_QUEUE_CAPACITY || !window_open; });
    if (!window_open)
        return;
    ring[(ring_first + ring_count) % WINDOW_QUEUE_CAPACITY] = {message, wparam, lparam};
    ring_count++;
    schedule_take();
    window_wake.notify_all();
}

void set_status_text(int part, const char* text)
{
    if (on_window_thread()) {
        set_status_part(part, text);
        return;
    }
    std::unique_lock<std::mutex> hold(queue_lock);
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

void pause_thread(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void repaint_window(void*)
{
    // Queued behind the cells already posted, as a repaint follows them.
    post_window_message(WM_PAINT, 0, 0);
}

int start_solver_thread(void* window)
{
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes))
        return 0;
    pthread_attr_setstacksize(&attributes, SOLVER_STACK_SIZE);
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    pthread_t thread;
    int failed = pthread_create(&thread, &attributes, solver_entry, window);
    pthread_attr_destroy(&attributes);
    return failed ? 0 : 1;
}

void wait_taking_texts(int milliseconds)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        // The queue is taken too: a solver waiting for room could not end otherwise.
        take_messages(WINDOW_QUEUE_CAPACITY);
        std::unique_lock<std::mutex> hold(queue_lock);
        window_wake.wait_until(hold, until, [] { return text_waiting || ring_count > 0; });
    } while (std::chrono::steady_clock::now() < until);
}
