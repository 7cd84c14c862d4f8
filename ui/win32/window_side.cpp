// The Win32 side of the driver's seam: posted messages, status texts, the solver thread.
#include <windows.h>
#include <commctrl.h>

#include <atomic>

#include "driver/solver.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "ui/win32/main_window.h"

namespace {

// Redraws posted and not drawn yet. At full speed the solver changes cells
// far faster than the window draws them: unchecked, the queue grows without
// bound (Windows refuses posts past 10,000 and the redraws are lost), and
// commands and clicks wait behind it. Past this many the solver waits until
// the window has caught up completely, which also leaves the window moments
// with an empty queue, when input and painting are handled.
constexpr int REDRAW_BACKLOG_LIMIT = 1000;
std::atomic<int> queued_redraws;

DWORD WINAPI solver_entry(LPVOID)
{
    return static_cast<DWORD>(SolverThread());
}

// Posts one of the window's private messages, waiting first while the window
// is far behind.
void post_redraw(UINT message, WPARAM wparam, LPARAM lparam)
{
    // Once shutting down, the window thread takes no posted messages and the
    // bridge posts none: stop waiting then.
    if (queued_redraws >= REDRAW_BACKLOG_LIMIT)
        while (queued_redraws > 0 && !killthread)
            Sleep(1);
    queued_redraws++;
    if (!PostMessageA(mineWind, message, wparam, lparam))
        redraw_handled();
}

}  // namespace

void show_cell(int x, int y)
{
    post_redraw(WM_SHOW_CELL, static_cast<WPARAM>(x), static_cast<LPARAM>(y));
}

void show_new_field()
{
    post_redraw(WM_SHOW_NEW_FIELD, 0, 0);
}

void redraw_handled()
{
    // Redraws posted by another process were never counted.
    int queued = queued_redraws;
    while (queued > 0 && !queued_redraws.compare_exchange_weak(queued, queued - 1)) {
    }
}

void set_status_text(int part, const char* text)
{
    if (hWndStatus)
        SendMessageA(hWndStatus, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
}

// The classic program has no Show Chances: never called.
void show_chances(const float*, int, const char*) {}

void pause_thread(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}

void repaint_window()
{
    InvalidateRect(mineWind, nullptr, FALSE);
}

int start_solver_thread(int stack_size)
{
    DWORD id;
    HANDLE thread = CreateThread(nullptr, static_cast<SIZE_T>(stack_size), solver_entry, nullptr, 0, &id);
    if (!thread)
        return 0;
    SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    CloseHandle(thread);
    return 1;
}

void wait_taking_texts(int milliseconds)
{
    // Sent messages only: the solver's status texts reach the status bar,
    // while posted redraws and commands stay queued.
    ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    for (;;) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        ULONGLONG now = GetTickCount64();
        if (now >= until)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_SENDMESSAGE);
    }
}
