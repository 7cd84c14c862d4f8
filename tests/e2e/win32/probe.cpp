// orvanta_probe.exe: finds the running orvanta.exe window, drives it and reports what it shows.
//
//   find MS                  wait up to MS ms for the window; exit 1 if it never shows
//   info                     caption, style, client area, status bar, its two texts, threads
//   command WPARAM...        post WM_COMMAND with each wParam in turn
//   press X Y                post a left-button press at client pixel (X, Y)
//   post MESSAGE WPARAM LPARAM
//   repaint                  invalidate the whole client area
//   dialog MS                wait up to MS ms for a message box of the program, print it, press OK
//   menu LETTER MS           open a menu bar popup by its mnemonic
//   cells FILE               classify every cell of a raw RGB screenshot of the whole screen
//   checks FILE ITEMS        which items of the open popup menu show a check mark; closes the menu
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/win32/tile_reader.h"

namespace {

HWND main_window()
{
    return FindWindowA("Zelbrin", nullptr);
}

HWND require_window()
{
    if (HWND window = main_window())
        return window;
    std::fprintf(stderr, "probe: no window of class Zelbrin\n");
    std::exit(2);
}

DWORD process_of(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// Sends a status bar message whose lParam points to size bytes of memory,
// which must lie in the program's own process, copies them back to out and
// returns the message's result.
DWORD_PTR status_bar_query(HWND bar, UINT message, WPARAM wparam, void* out, SIZE_T size)
{
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_of(bar));
    void* remote = process ? VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr;
    DWORD_PTR result = 0;
    if (remote && SendMessageTimeoutA(bar, message, wparam, reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, 2000,
                                      &result))
        ReadProcessMemory(process, remote, out, size, nullptr);
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (process)
        CloseHandle(process);
    return result;
}

// The program's threads, each with its priority.
std::vector<int> thread_priorities(DWORD pid)
{
    std::vector<int> priorities;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != pid)
            continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        priorities.push_back(thread ? GetThreadPriority(thread) : 999);
        if (thread)
            CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return priorities;
}

POINT client_origin(HWND window)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin;
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

int info()
{
    HWND window = require_window();
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    RECT client;
    GetClientRect(window, &client);
    POINT origin = client_origin(window);
    std::printf("caption=%s\nstyle=0x%lX\nclient_origin=%ld %ld\nclient_size=%ld %ld\n", caption,
                static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)), origin.x, origin.y, client.right,
                client.bottom);
    if (HWND bar = GetDlgItem(window, 123)) {
        RECT rect;
        GetWindowRect(bar, &rect);
        POINT top_left{rect.left, rect.top};
        ScreenToClient(window, &top_left);
        std::printf("status_bar=%ld %ld %ld %ld\n", top_left.x, top_left.y, rect.right - rect.left,
                    rect.bottom - rect.top);
        int edges[2] = {};
        auto parts = static_cast<int>(status_bar_query(bar, SB_GETPARTS, 2, edges, sizeof edges));
        std::printf("status_parts=%d %d %d\n", parts, edges[0], edges[1]);
        for (int part = 0; part < 2; part++) {
            char text[256] = {};
            status_bar_query(bar, SB_GETTEXTA, part, text, sizeof text - 1);
            std::printf("part%d=%s\n", part, text);
        }
    }
    std::printf("threads=");
    for (int priority : thread_priorities(process_of(window)))
        std::printf(" %d", priority);
    std::printf("\n");
    return 0;
}

int dialog(int milliseconds)
{
    DWORD pid = process_of(require_window());
    // A message box of the program: a top-level dialog window of its process.
    HWND box = wait_for([pid] {
        for (HWND dialog = FindWindowExA(nullptr, nullptr, "#32770", nullptr); dialog;
             dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr))
            if (process_of(dialog) == pid && IsWindowVisible(dialog))
                return dialog;
        return HWND{};
    }, milliseconds);
    if (!box)
        return 1;
    char text[2048] = {};
    GetWindowTextA(box, text, sizeof text);
    std::printf("caption=%s\nowned=%d\n", text, GetWindow(box, GW_OWNER) == main_window() ? 1 : 0);
    // The message text is the box's static control without an icon style.
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
         child = FindWindowExA(box, child, "Static", nullptr)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            if (IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0))
                std::printf("icon=1\n");
            continue;
        }
        std::memset(text, 0, sizeof text);
        GetWindowTextA(child, text, sizeof text);
        std::printf("text=%s\n", text);
    }
    std::printf("end\n");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return wait_for([box] { return !IsWindow(box); }, 5000) ? 0 : 1;
}

HWND open_popup()
{
    HWND popup = FindWindowA("#32768", nullptr);
    return popup && IsWindowVisible(popup) ? popup : nullptr;
}

struct screenshot {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<unsigned char> bytes;

    uint32_t operator()(int x, int y) const
    {
        const unsigned char* p = &bytes[(static_cast<size_t>(y) * width + x) * 3];
        return uint32_t(p[0]) << 16 | p[1] << 8 | p[2];
    }
};

screenshot read_screenshot(const char* path)
{
    screenshot shot;
    shot.bytes.resize(static_cast<size_t>(shot.width) * shot.height * 3);
    std::FILE* file = std::fopen(path, "rb");
    size_t got = file ? std::fread(shot.bytes.data(), 1, shot.bytes.size(), file) : 0;
    if (file)
        std::fclose(file);
    if (got != shot.bytes.size()) {
        std::fprintf(stderr, "probe: %s is not a %dx%d RGB screenshot\n", path, shot.width, shot.height);
        std::exit(2);
    }
    return shot;
}

int cells(const char* path)
{
    screenshot shot = read_screenshot(path);
    POINT origin = client_origin(require_window());
    if (origin.x < 0 || origin.y < 0 || origin.x + FIELD_COLUMNS * TILE_SIZE + 1 > shot.width ||
        origin.y + FIELD_ROWS * TILE_SIZE + 1 > shot.height) {
        std::fprintf(stderr, "probe: the field is not wholly on the screen\n");
        return 2;
    }
    std::printf("%s", cells_shown(shot, origin.x, origin.y).c_str());
    return 0;
}

// Prints 1 or 0 for each of the open popup menu's items: whether the strip
// left of its text shows a check mark (any pixel unlike the row's own
// background, so a highlighted item counts too). Then closes the menu.
int checks(const char* path, int items)
{
    screenshot shot = read_screenshot(path);
    HWND popup = open_popup();
    if (!popup || items < 1) {
        std::fprintf(stderr, "probe: no popup menu is open\n");
        return 2;
    }
    RECT rect;
    GetWindowRect(popup, &rect);
    constexpr int BORDER = 3;  // the popup's frame, above the first and below the last item
    constexpr int STRIP = 14;  // the check mark's columns, right of the frame
    int item_height = (rect.bottom - rect.top - 2 * BORDER) / items;
    std::string marks;
    for (int item = 0; item < items; item++) {
        bool marked = false;
        int top = rect.top + BORDER + item * item_height;
        for (int y = top; y < top + item_height; y++)
            for (int x = rect.left + BORDER + 1; x < rect.left + BORDER + 1 + STRIP; x++)
                marked = marked || shot(x, y) != shot(rect.left + BORDER, y);
        marks += marked ? " 1" : " 0";
    }
    std::printf("checks=%s\n", marks.c_str() + 1);
    PostMessageA(require_window(), WM_CANCELMODE, 0, 0);
    return wait_for([] { return !open_popup(); }, 5000) ? 0 : 1;
}

long number(const char* text)
{
    return std::strtol(text, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);  // plain LF lines for the shell scripts
    std::string verb = argc >= 2 ? argv[1] : "";
    if (verb == "find" && argc == 3) {
        bool shown = wait_for([] { return main_window() && IsWindowVisible(main_window()); }, number(argv[2]));
        if (!shown)
            std::fprintf(stderr, "probe: the window did not show within %s ms\n", argv[2]);
        return shown ? 0 : 1;
    }
    if (verb == "info")
        return info();
    if (verb == "command" && argc >= 3) {
        for (int i = 2; i < argc; i++)
            PostMessageA(require_window(), WM_COMMAND, static_cast<WPARAM>(number(argv[i])), 0);
        return 0;
    }
    if (verb == "press" && argc == 4)
        return PostMessageA(require_window(), WM_LBUTTONDOWN, MK_LBUTTON,
                            MAKELPARAM(number(argv[2]), number(argv[3]))) ? 0 : 1;
    if (verb == "post" && argc == 5)
        return PostMessageA(require_window(), static_cast<UINT>(number(argv[2])),
                            static_cast<WPARAM>(std::strtoll(argv[3], nullptr, 0)),
                            static_cast<LPARAM>(std::strtoll(argv[4], nullptr, 0))) ? 0 : 1;
    if (verb == "repaint")
        return InvalidateRect(require_window(), nullptr, FALSE) ? 0 : 1;
    if (verb == "dialog" && argc == 3)
        return dialog(static_cast<int>(number(argv[2])));
    if (verb == "menu" && argc == 4) {
        PostMessageA(require_window(), WM_SYSCOMMAND, SC_KEYMENU, argv[2][0]);
        return wait_for(open_popup, static_cast<int>(number(argv[3]))) ? 0 : 1;
    }
    if (verb == "cells" && argc == 3)
        return cells(argv[2]);
    if (verb == "checks" && argc == 4)
        return checks(argv[2], static_cast<int>(number(argv[3])));
    std::fprintf(stderr, "probe: unknown or incomplete command\n");
    return 2;
}
