// The Win32 program's window-side globals and the functions its files share.
#pragma once

#include <windows.h>

#include "ui/common/tile_choice.h"

// The main window's private messages. Any process may post them.
inline constexpr UINT WM_SHOW_CELL = 113;       // wParam column, lParam row: redraw that cell
inline constexpr UINT WM_SHOW_NEW_FIELD = 114;  // draw every cell hidden

// Class name and caption of the main window.
extern const char szAppName[];
extern const char szAppCaption[];

inline constexpr DWORD MAIN_WINDOW_STYLE = WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX;  // 0xA0000, fixed frame

extern HWND mineWind;    // the main window; null until its creation returns
extern HWND hWndStatus;  // the two-part status bar; null if it could not be created
extern HBITMAP hbmpMyBitmap[TILE_COUNT];  // tile i is bitmap resource i + 1
extern BITMAP bm[TILE_COUNT];             // their sizes

LRESULT CALLBACK BaseMsgProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Draws cell (x, y) from the board; nothing while shutting down.
void print_cell(int x, int y, HDC surface);

// Draws every cell as the raised tile, whatever the board holds.
void print_hidden_field(HDC surface);

// Outer size for the whole field as client area.
SIZE field_window_size();

// Resizes the window so that the whole field fits above the status bar,
// whatever the platform's frame, menu bar and status bar heights are.
void fit_window_to_field(HWND window);

// The window thread has handled one redraw that the solver posted.
void redraw_handled();
