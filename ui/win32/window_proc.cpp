// BaseMsgProc: the main window's messages and menu commands, one handler each.
#include <windows.h>
#include <commctrl.h>

#include "driver/window_side.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "ui/common/front_end.h"
#include "ui/common/geometry.h"
#include "ui/common/menu_table.h"
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
    rewrite_status_parts();
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

// A menu command, Exit when the window is closed, and Solve after a press:
// the core runs it, the window shows what it asks for.
void on_command(HWND window, int id)
{
    command_outcome outcome = run_command(id);
    if (!outcome.box_text.empty())
        MessageBoxA(window, outcome.box_text.c_str(), outcome.box_caption,
                    outcome.box_information ? MB_ICONINFORMATION | MB_OK : MB_OK);
    if (outcome.check_marks)
        for (const menu_row& row : MENU_ROWS)
            if (row.kind == MENU_CHECK && !row.beyond_classic)
                CheckMenuItem(GetMenu(window), row.id, MF_BYCOMMAND | (is_checked(row.id) ? MF_CHECKED : MF_UNCHECKED));
    if (outcome.repaint)
        repaint_window();
    if (outcome.quit)
        PostQuitMessage(0);
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
        on_command(window, IDM_EXIT);
        return 0;
    case WM_SHOW_CELL:
        on_show_cell(window, wparam, lparam);
        return 0;
    case WM_SHOW_NEW_FIELD:
        on_show_new_field(window);
        return 0;
    case WM_COMMAND:
        on_command(window, LOWORD(wparam));
        return 0;
    case WM_LBUTTONDOWN:
        on_press(window, lparam);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}
