// Start-up: WinMain, the window class, the start values, the tiles and the main window.
#include <windows.h>

#include "driver/shutdown.h"
#include "resources/resource_ids.h"
#include "ui/common/front_end.h"
#include "ui/win32/main_window.h"

const char szAppName[] = "Zelbrin";
const char szAppCaption[] = "Orvanta";

HWND mineWind;
HWND hWndStatus;
HBITMAP hbmpMyBitmap[TILE_COUNT];
BITMAP bm[TILE_COUNT];

namespace {

constexpr UINT INFORMATION_BOX = MB_ICONINFORMATION | MB_OK;  // 0x40
HINSTANCE program_instance;

// The tiles and the main window, not shown yet.
const char* open_window()
{
    for (int i = 0; i < TILE_COUNT; i++) {
        hbmpMyBitmap[i] = LoadBitmapA(program_instance, MAKEINTRESOURCEA(IDB_FIRST_TILE + i));
        if (!hbmpMyBitmap[i])
            return "Load resource error";
        GetObjectA(hbmpMyBitmap[i], sizeof(BITMAP), &bm[i]);
    }
    SIZE size = field_window_size();
    mineWind = CreateWindowExA(0, szAppName, szAppCaption, MAIN_WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                               size.cy, nullptr, nullptr, program_instance, nullptr);
    return mineWind ? nullptr : "Unable to create window";
}

}  // namespace

// Registers the main window class; returns its atom, 0 on failure.
int Register_Window(HINSTANCE instance)
{
    WNDCLASSA window_class{};
    window_class.style = 0;
    window_class.lpfnWndProc = BaseMsgProc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APPICON));
    window_class.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    window_class.lpszClassName = szAppName;
    return RegisterClassA(&window_class);
}

// Start values, arrays, tiles, the main window and the first field; a
// failure is shown in a box with no owner and the platform's default title.
// Returns 1, or 0 once a failure has been shown.
int Init_Instance(HINSTANCE instance, int show_command)
{
    program_instance = instance;
    if (const char* failure = start_up(open_window)) {
        MessageBoxA(nullptr, failure, nullptr, INFORMATION_BOX);
        return 0;
    }
    ShowWindow(mineWind, show_command);
    UpdateWindow(mineWind);
    return 1;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int show_command)
{
    if (!previous && !Register_Window(instance))
        return 0;
    if (!Init_Instance(instance, show_command))
        return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // A WM_QUIT posted from outside ends the loop without Exit's orderly
    // stop, which would lose the statistics: run it now, as Exit does.
    if (!shut_down_done)
        SendMessageA(mineWind, WM_COMMAND, IDM_EXIT, 0);
    return static_cast<int>(message.wParam);
}
