// Sizing the main window from its client area, so no frame cuts the field off.
#include <windows.h>

#include "ui/common/geometry.h"
#include "ui/win32/main_window.h"

namespace {

SIZE outer_size(int client_width, int client_height)
{
    RECT rect{0, 0, client_width, client_height};
    AdjustWindowRectEx(&rect, MAIN_WINDOW_STYLE, TRUE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

SIZE field_window_size()
{
    return outer_size(field_width(), field_height());
}

void fit_window_to_field(HWND window)
{
    int bar_height = 0;
    if (hWndStatus) {
        RECT bar;
        GetWindowRect(hWndStatus, &bar);
        bar_height = bar.bottom - bar.top;
    }
    int want_width = field_width();
    int want_height = field_height() + bar_height;
    SIZE size = outer_size(want_width, want_height);
    // A menu bar that wraps, or a frame the platform draws its own way, is
    // not in AdjustWindowRectEx's figures: measure and correct once more.
    for (int attempt = 0; attempt < 2; attempt++) {
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(window, &client);
        int dx = want_width - (client.right - client.left);
        int dy = want_height - (client.bottom - client.top);
        if (dx == 0 && dy == 0)
            break;
        size.cx += dx;
        size.cy += dy;
    }
    // The status bar follows its parent's client area only when told of a new size.
    if (hWndStatus)
        SendMessageA(hWndStatus, WM_SIZE, 0, 0);
}
