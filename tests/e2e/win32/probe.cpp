// orvanta_probe.exe: drives the running orvanta.exe window, which it waits up to 30 s for, and reports what it shows.
//
//   find MS                     waits up to MS ms for the window; exit 1 if it never shows
//   command WPARAM...           posts WM_COMMAND with each wParam in turn
//   info                        caption, style, client area, status bar, its parts and texts, thread priorities
//   post MESSAGE WPARAM LPARAM  posts a message to the window (numbers as in C)
//   repaint                     invalidates the whole client area
//   dialog                      waits up to 5 s for a message box of the program, prints it, presses OK
//   cells [steady]              the tile each cell shows on the screen; steady: once two looks agree
//   checks                      opens the Edit menu, prints its three check marks, closes it
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "tests/e2e/win32/tile_reader.h"

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "probe: %s\n", what);
    std::exit(2);
}

// Polls found() every 50 ms for up to milliseconds; returns what it last found.
template <typename Found>
auto wait_for(Found found, int milliseconds)
{
    auto result = found();
    for (int waited = 0; !result && waited < milliseconds; waited += 50) {
        Sleep(50);
        result = found();
    }
    return result;
}

// What look() returns once two looks at least 300 ms apart agree.
template <typename Look>
auto steady(Look look)
{
    auto now = look(), before = now;
    auto agree = [&] {
        Sleep(300);
        before = std::exchange(now, look());
        return now == before;
    };
    if (!wait_for(agree, 9000))
        fail("what the screen shows never stopped changing");
    return now;
}

// The first top-level window of the class, if it shows.
HWND shown(const char* window_class)
{
    HWND window = FindWindowA(window_class, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND window()
{
    static HWND found = wait_for([] { return shown("Zelbrin"); }, 30000);
    if (!found)
        fail("no window of class Zelbrin showed within 30 s");
    return found;
}

DWORD program()
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window(), &pid);
    return pid;
}

// Sends the status bar a message whose lParam points to size bytes, which
// must lie in the program's own process, and copies them back to out.
LRESULT status_bar_query(HWND bar, UINT message, WPARAM wparam, void* out, SIZE_T size)
{
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, program());
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    DWORD_PTR result = 0;
    if (!remote || !SendMessageTimeoutA(bar, message, wparam, LPARAM(remote), SMTO_BLOCK, 2000, &result) ||
        !ReadProcessMemory(process, remote, out, size, nullptr))
        fail("the status bar did not answer");
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return LRESULT(result);
}

// The priority of each of the program's threads.
std::string thread_priorities(DWORD pid)
{
    std::string list;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == pid) {
            HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
            list += " " + std::to_string(GetThreadPriority(thread));
            CloseHandle(thread);
        }
    CloseHandle(snapshot);
    return list;
}

int info()
{
    char caption[256] = {};
    GetWindowTextA(window(), caption, sizeof caption);
    RECT client, bar;
    GetClientRect(window(), &client);
    POINT origin{0, 0};
    ClientToScreen(window(), &origin);
    HWND status = GetDlgItem(window(), 123);
    GetWindowRect(status, &bar);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&bar), 2);
    int edges[2] = {};
    auto parts = status_bar_query(status, SB_GETPARTS, 2, edges, sizeof edges);
    std::printf("caption=%s\nstyle=0x%lX\nclient_origin=%ld %ld\nclient_size=%ld %ld\nstatus_bar=%ld %ld %ld %ld\n"
                "status_parts=%d %d %d\n",
                caption, GetWindowLongA(window(), GWL_STYLE), origin.x, origin.y, client.right, client.bottom, bar.left,
                bar.top, bar.right - bar.left, bar.bottom - bar.top, int(parts), edges[0], edges[1]);
    for (int part = 0; part < 2; part++) {
        char text[256] = {};
        status_bar_query(status, SB_GETTEXTA, part, text, sizeof text - 1);
        std::printf("part%d=%s\n", part, text);
    }
    std::printf("threads=%s\n", thread_priorities(program()).c_str());
    return 0;
}

// A message box of the program as "OWNED ICON CAPTION" (1: the main window
// owns it, it shows an icon), then its text.
int dialog()
{
    HWND box = wait_for([] { return shown("#32770"); }, 5000);
    if (!box)
        fail("no message box within 5 s");
    char caption[256] = {}, text[2048] = {};
    GetWindowTextA(box, caption, sizeof caption);
    bool icon = false;
    for (HWND child = nullptr; (child = FindWindowExA(box, child, "Static", nullptr));)
        icon = icon || ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
                        SendMessageA(child, STM_GETICON, 0, 0));
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's control, as in Windows' own boxes
    std::printf("%d %d %s\n%s\n", GetWindow(box, GW_OWNER) == window(), icon, caption, text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return wait_for([box] { return !IsWindow(box); }, 5000) ? 0 : 1;
}

// The screen's pixel (x, y) as 0xRRGGBB at the last look_at_screen(); black off the screen.
const int SCREEN_WIDTH = GetSystemMetrics(SM_CXSCREEN), SCREEN_HEIGHT = GetSystemMetrics(SM_CYSCREEN);
uint32_t* screen_pixels;

uint32_t on_screen(int x, int y)
{
    bool inside = unsigned(x) < unsigned(SCREEN_WIDTH) && unsigned(y) < unsigned(SCREEN_HEIGHT);
    return inside ? screen_pixels[y * SCREEN_WIDTH + x] & 0xFFFFFF : 0;
}

void look_at_screen()
{
    static HDC memory = CreateCompatibleDC(nullptr);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, SCREEN_WIDTH, -SCREEN_HEIGHT, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    if (!screen_pixels)
        SelectObject(memory, CreateDIBSection(memory, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&screen_pixels),
                                              nullptr, 0));
    HDC screen = GetDC(nullptr);
    BitBlt(memory, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, screen, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
}

std::string cells()
{
    POINT origin{0, 0};
    ClientToScreen(window(), &origin);
    look_at_screen();
    return cells_shown(on_screen, origin.x, origin.y);
}

// The Edit menu's three items: 1 for each whose strip left of the text shows a check mark
// (any pixel unlike the row's own background, so a highlighted item counts too), else 0.
std::string marks(HWND popup)
{
    look_at_screen();
    RECT rect;
    GetWindowRect(popup, &rect);
    constexpr int ITEMS = 3, BORDER = 3, STRIP = 14;  // BORDER: the frame; STRIP: the check mark's columns
    int left = rect.left + BORDER, top = rect.top + BORDER, item_height = (rect.bottom - BORDER - top) / ITEMS;
    std::string marks = "0 0 0";
    for (int y = top; y < top + ITEMS * item_height; y++)
        for (int x = left + 1; x <= left + STRIP; x++)
            if (on_screen(x, y) != on_screen(left, y))
                marks[(y - top) / item_height * 2] = '1';
    return marks;
}

int checks()
{
    auto open_popup = [] { return shown("#32768"); };
    PostMessageA(window(), WM_SYSCOMMAND, SC_KEYMENU, 'e');
    HWND popup = wait_for(open_popup, 5000);
    if (!popup)
        fail("the Edit menu did not open");
    std::printf("%s\n", steady([popup] { return marks(popup); }).c_str());
    PostMessageA(window(), WM_CANCELMODE, 0, 0);
    return wait_for([open_popup] { return !open_popup(); }, 5000) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);  // plain LF lines for the shell script
    std::string verb = argc > 1 ? argv[1] : "";
    auto number = [argv](int i) { return std::strtoll(argv[i], nullptr, 0); };
    if (verb == "find" && argc == 3)
        return wait_for([] { return shown("Zelbrin"); }, int(number(2))) ? 0 : 1;
    for (int i = 2; verb == "command" && i < argc; i++)
        PostMessageA(window(), WM_COMMAND, WPARAM(number(i)), 0);
    if (verb == "command")
        return 0;
    if (verb == "info")
        return info();
    if (verb == "post" && argc == 5)
        return PostMessageA(window(), UINT(number(2)), WPARAM(number(3)), LPARAM(number(4))) ? 0 : 1;
    if (verb == "repaint")
        return InvalidateRect(window(), nullptr, FALSE) ? 0 : 1;
    if (verb == "dialog")
        return dialog();
    if (verb == "cells")
        return std::printf("%s", (argc > 2 ? steady(cells) : cells()).c_str()) < 0;
    if (verb == "checks")
        return checks();
    fail("unknown or incomplete command");
}
