// BaseMsgProc: the main window's messages and menu commands, one handler each.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "ui/common/geometry.h"
#include "ui/common/menu_options.h"
#include "ui/win32/main_window.h"

namespace {

constexpr DWORD STATUS_BAR_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER;  // 0x50800000, no size grip

void on_create(HWND window)
{
    InitCommonControls();
    hWndStatus = CreateStatusWindowA(STATUS_BAR_STYLE, "", window, ID_STATUSBAR);
    if (!hWndStatus)
        MessageBoxA(nullptr, "Status Bar not created!", nullptr, MB_OK);
    fit_window_to_field(window);
    RECT client;
    GetClientRect(window, &client);
    int width = client.right - client.left;
    int edges[2] = {status_part0_right(width), -1};
    if (hWndStatus)
        SendMessageA(hWndStatus, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    set_status_text(0, "-");
    set_status_text(1, "-");
}

void on_paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC surface = BeginPaint(window, &paint);
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++)
            print_cell(x, y, surface);
    EndPaint(window, &paint);
    print_stats();
    char status[STATUS_TEXT_SIZE];
    copy_glob_status(status);
    set_status_text(0, status);
}

// Any process can post this message, so a cell outside the board is ignored.
void on_show_cell(HWND window, WPARAM column, LPARAM row)
{
    redraw_handled();
    if (column >= static_cast<WPARAM>(xdim) || row < 0 || row >= ydim)
        return;
    HDC surface = GetDC(window);
    print_cell(static_cast<int>(column), static_cast<int>(row), surface);
    ReleaseDC(window, surface);
}

void on_show_new_field(HWND window)
{
    redraw_handled();
    HDC surface = GetDC(window);
    print_hidden_field(surface);
    ReleaseDC(window, surface);
}

void on_press(HWND window, LPARAM lparam)
{
    if (press_field(LOWORD(lparam), HIWORD(lparam)))
        PostMessageA(window, WM_COMMAND, IDM_SOLVE, 0);
}

// Exit and closing the window. A statistics file that could not be written
// is named, with the reason, before the program ends.
void on_exit(HWND window)
{
    std::string failure = shut_down();
    if (!failure.empty())
        MessageBoxA(window, failure.c_str(), nullptr, MB_ICONINFORMATION | MB_OK);
    PostQuitMessage(0);
}

void on_toggle(HWND window, UINT id, std::atomic<int32_t>& flag)
{
    UINT mark = toggle_option(flag) ? MF_CHECKED : MF_UNCHECKED;
    CheckMenuItem(GetMenu(window), id, MF_BYCOMMAND | mark);
    repaint_window(window);
}

void on_command(HWND window, WPARAM wparam)
{
    switch (LOWORD(wparam)) {
    case IDM_EXIT:
        on_exit(window);
        break;
    case IDM_SOLVE:
        solve_command(window);
        break;
    case IDM_ABOUT:
        MessageBoxA(window, ABOUT_TEXT, ABOUT_CAPTION, MB_OK);
        break;
    case IDM_STOP:
        stop_command();
        repaint_window(window);
        break;
    default:
        if (std::atomic<int32_t>* option = option_of(LOWORD(wparam)))
            on_toggle(window, LOWORD(wparam), *option);
        else
            MessageBoxA(window, UNDEFINED_COMMAND_TEXT, nullptr, MB_ICONINFORMATION | MB_OK);
        break;
    }
}

}  // namespace

LRESULT CALLBACK BaseMsgProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        on_create(window);
        return 0;
    case WM_DESTROY:
    case WM_QUIT:
        return 0;
    case WM_PAINT:
        on_paint(window);
        return 0;
    case WM_CLOSE:
        on_exit(window);
        return 0;
    case WM_SHOW_CELL:
        on_show_cell(window, wparam, lparam);
        return 0;
    case WM_SHOW_NEW_FIELD:
        on_show_new_field(window);
        return 0;
    case WM_COMMAND:
        on_command(window, wparam);
        return 0;
    case WM_LBUTTONDOWN:
        on_press(window, lparam);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}
