// The wake-up pipe, the ending signals, and the wait of the window thread.
#include "ui/term/events.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdlib>

#include "ui/common/ending_signals.h"
#include "ui/common/window_queue.h"

namespace {

int wake_pipe[2] = {-1, -1};
sigset_t waiting_mask;  // the mask the program started with: what the wait lets through
std::atomic<int> signal_received;
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

void on_ending_signal(int signal_number)
{
    signal_received = signal_number;
}

}  // namespace

int prepare_events()
{
    if (pipe2(wake_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
        return 0;
    sigset_t held;
    sigemptyset(&held);
    for (int signal_number : {SIGWINCH, SIGTSTP})
        sigaddset(&held, signal_number);
    for (int signal_number : ENDING_SIGNALS)
        sigaddset(&held, signal_number);
    pthread_sigmask(SIG_BLOCK, &held, &waiting_mask);
    struct sigaction action {};
    action.sa_handler = on_ending_signal;
    sigemptyset(&action.sa_mask);
    for (int signal_number : ENDING_SIGNALS)
        sigaction(signal_number, &action, nullptr);
    // The statistics file written past the file-size limit fails, is
    // reported and leaves the terminal put back.
    signal(SIGXFSZ, SIG_IGN);
    return 1;
}

void wake_window_thread()
{
    // A full pipe already holds a wake-up that the loop has not taken yet.
    char byte = 1;
    ssize_t written = write(wake_pipe[1], &byte, 1);
    static_cast<void>(written);
}

int wait_for_events(int timeout_ms)
{
    pollfd watched[2] = {{STDIN_FILENO, POLLIN, 0}, {wake_pipe[0], POLLIN, 0}};
    timespec timeout{timeout_ms / 1000, (timeout_ms % 1000) * 1000000L};
    if (ppoll(watched, 2, timeout_ms < 0 ? nullptr : &timeout, &waiting_mask) <= 0)
        return 0;
    int seen = 0;
    if (watched[1].revents & POLLIN) {
        char bytes[64];
        while (read(wake_pipe[0], bytes, sizeof bytes) > 0) {
        }
        seen |= WOKEN;
    }
    if (watched[0].revents & (POLLHUP | POLLERR | POLLNVAL))
        seen |= TERMINAL_GONE;
    return seen;
}

int ending_signal()
{
    return signal_received;
}

void end_by_signal(int signal_number)
{
    signal(signal_number, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal_number);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal_number);
    std::_Exit(128 + signal_number);
}
