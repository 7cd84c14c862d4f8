// orvanta_probe.exe: finds the running orvanta.exe window, drives it and reports what it shows.
//
//   find MS                  wait up to MS ms for the window; exit 1 if it never shows
//   info                     caption, style, client area, status bar, its two texts, threads
//   command WPARAM...        post WM_COMMAND with each wParam in turn
//   held MS WPARAM...        the same, then keep the queue busy for MS ms (WM_NULL),
//                            which holds off the end of a message loop that is quitting
//   press X Y                post a left-button press at client pixel (X, Y)
//   post MESSAGE WPARAM LPARAM
//   close                    the window menu's Close (WM_SYSCOMMAND SC_CLOSE)
//   repaint                  invalidate the whole client area
//   dialog MS                wait up to MS ms for a message box of the program, print it, press OK
//   menu LETTER MS           open a menu bar popup by its mnemonic, print its screen rectangle
//   endmenu                  close an open menu
//   cells FILE               classify every cell of a raw RGB screenshot of the whole screen
//   checks FILE ITEMS        which items of the open popup menu show a check mark
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

#include "resources/tile_data.h"

namespace {

constexpr int COLUMNS = 30;
constexpr int ROWS = 16;
constexpr int TILE = 16;
constexpr char TILE_LETTERS[] = "012345678F#*X";  // tile index to the letter "cells" prints

HWND main_window()
{
    return FindWindowA("Zelbrin", nullptr);
}

HWND require_window()
{
    HWND window = main_window();
    if (!window) {
        std::fprintf(stderr, "probe: no window of class Zelbrin\n");
        std::exit(2);
    }
    return window;
}

DWORD process_of(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// Reads a status bar part through memory in the program's own process,
// since a status bar message carries a pointer that only means something there.
std::string status_part(HWND bar, int part)
{
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_of(bar));
    if (!process)
        return "?";
    constexpr SIZE_T size = 256;
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    char text[size] = {};
    DWORD_PTR result = 0;
    if (remote && SendMessageTimeoutA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, 2000,
                                      &result))
        ReadProcessMemory(process, remote, text, size - 1, nullptr);
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return text;
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

int find(int milliseconds)
{
    for (int waited = 0; waited <= milliseconds; waited += 50) {
        HWND window = main_window();
        if (window && IsWindowVisible(window))
            return 0;
        Sleep(50);
    }
    std::fprintf(stderr, "probe: the window did not show within %d ms\n", milliseconds);
    return 1;
}

int info()
{
    HWND window = require_window();
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    RECT client, outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    POINT origin = client_origin(window);
    std::printf("caption=%s\n", caption);
    std::printf("style=0x%lX\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)));
    std::printf("client_origin=%ld %ld\n", origin.x, origin.y);
    std::printf("client_size=%ld %ld\n", client.right, client.bottom);
    std::printf("window_size=%ld %ld\n", outer.right - outer.left, outer.bottom - outer.top);
    HWND bar = GetDlgItem(window, 123);
    if (bar) {
        RECT rect;
        GetWindowRect(bar, &rect);
        POINT top_left{rect.left, rect.top};
        ScreenToClient(window, &top_left);
        std::printf("status_bar=%ld %ld %ld %ld\n", top_left.x, top_left.y, rect.right - rect.left,
                    rect.bottom - rect.top);
        int edges[2] = {};
        HANDLE process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_of(window));
        void* remote = process ? VirtualAllocEx(process, nullptr, sizeof edges, MEM_COMMIT, PAGE_READWRITE) : nullptr;
        int parts = 0;
        if (remote) {
            parts = static_cast<int>(SendMessageA(bar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(remote)));
            ReadProcessMemory(process, remote, edges, sizeof edges, nullptr);
            VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        }
        if (process)
            CloseHandle(process);
        std::printf("status_parts=%d %d %d\n", parts, edges[0], edges[1]);
        std::printf("part0=%s\n", status_part(bar, 0).c_str());
        std::printf("part1=%s\n", status_part(bar, 1).c_str());
    }
    std::printf("threads=");
    for (int priority : thread_priorities(process_of(window)))
        std::printf(" %d", priority);
    std::printf("\n");
    return 0;
}

// A message box of the program: a top-level dialog window of its process.
HWND program_dialog(DWORD pid)
{
    for (HWND dialog = FindWindowExA(nullptr, nullptr, "#32770", nullptr); dialog;
         dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr))
        if (process_of(dialog) == pid && IsWindowVisible(dialog))
            return dialog;
    return nullptr;
}

int dialog(int milliseconds)
{
    DWORD pid = process_of(require_window());
    HWND box = nullptr;
    for (int waited = 0; !box && waited <= milliseconds; waited += 50) {
        box = program_dialog(pid);
        if (!box)
            Sleep(50);
    }
    if (!box) {
        std::printf("dialog=none\n");
        return 1;
    }
    char text[2048] = {};
    GetWindowTextA(box, text, sizeof text);
    std::printf("caption=%s\n", text);
    std::printf("owned=%d\n", GetWindow(box, GW_OWNER) == main_window() ? 1 : 0);
    // The message text is the box's static control without an icon style.
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
         child = FindWindowExA(box, child, "Static", nullptr)) {
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) {
            if (IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0))
                std::printf("icon=1\n");
            continue;
        }
        std::memset(text, 0, sizeof text);
        GetWindowTextA(child, text, sizeof text);
        std::printf("text=%s\n", text);
    }
    int buttons = 0;
    for (HWND child = FindWindowExA(box, nullptr, "Button", nullptr); child;
         child = FindWindowExA(box, child, "Button", nullptr))
        buttons++;
    std::printf("buttons=%d\n", buttons);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (int waited = 0; IsWindow(box) && waited < 5000; waited += 50)
        Sleep(50);
    return IsWindow(box) ? 1 : 0;
}

int open_menu(char letter, int milliseconds)
{
    HWND window = require_window();
    PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, letter);
    for (int waited = 0; waited <= milliseconds; waited += 50) {
        HWND popup = FindWindowA("#32768", nullptr);
        if (popup && IsWindowVisible(popup)) {
            RECT rect;
            GetWindowRect(popup, &rect);
            std::printf("popup=%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
            return 0;
        }
        Sleep(50);
    }
    std::printf("popup=none\n");
    return 1;
}

int end_menu()
{
    PostMessageA(require_window(), WM_CANCELMODE, 0, 0);
    for (int waited = 0; waited < 5000; waited += 50) {
        HWND popup = FindWindowA("#32768", nullptr);
        if (!popup || !IsWindowVisible(popup))
            return 0;
        Sleep(50);
    }
    return 1;
}

struct screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

screenshot read_screenshot(const char* path)
{
    screenshot shot;
    shot.width = GetSystemMetrics(SM_CXSCREEN);
    shot.height = GetSystemMetrics(SM_CYSCREEN);
    shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
    std::FILE* file = std::fopen(path, "rb");
    size_t got = file ? std::fread(shot.rgb.data(), 1, shot.rgb.size(), file) : 0;
    if (file)
        std::fclose(file);
    if (got != shot.rgb.size()) {
        std::fprintf(stderr, "probe: %s is not a %dx%d RGB screenshot\n", path, shot.width, shot.height);
        std::exit(2);
    }
    return shot;
}

bool same_colour(const unsigned char* pixel, int palette_index)
{
    return std::memcmp(pixel, palette_rgb[palette_index], 3) == 0;
}

// The tile whose every pixel the screen shows at (left, top), or -1.
int tile_at(const screenshot& shot, int left, int top)
{
    for (int tile = 0; tile < 13; tile++) {
        bool match = true;
        for (int row = 0; row < TILE && match; row++)
            for (int column = 0; column < TILE && match; column++)
                match = same_colour(shot.at(left + column, top + row), tile_pixels[tile][row][column]);
        if (match)
            return tile;
    }
    return -1;
}

int cells(const char* path)
{
    screenshot shot = read_screenshot(path);
    POINT origin = client_origin(require_window());
    if (origin.x < 0 || origin.y < 0 || origin.x + COLUMNS * TILE + 1 > shot.width ||
        origin.y + ROWS * TILE + 1 > shot.height) {
        std::fprintf(stderr, "probe: the field is not wholly on the screen\n");
        return 2;
    }
    // The client area's first pixel column and row are never covered by a tile.
    bool margin_white = true;
    for (int i = 0; i <= COLUMNS * TILE; i++)
        margin_white = margin_white && same_colour(shot.at(origin.x + i, origin.y), 15);
    for (int i = 0; i <= ROWS * TILE; i++)
        margin_white = margin_white && same_colour(shot.at(origin.x, origin.y + i), 15);
    std::printf("margin=%s\n", margin_white ? "white" : "not-white");
    for (int y = 0; y < ROWS; y++) {
        std::string line;
        for (int x = 0; x < COLUMNS; x++) {
            int tile = tile_at(shot, origin.x + x * TILE + 1, origin.y + y * TILE + 1);
            line += tile < 0 ? '?' : TILE_LETTERS[tile];
        }
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

// Prints 1 or 0 for each of the open popup menu's items: whether the strip
// left of its text shows a check mark (any pixel unlike the row's own
// background, so a highlighted item counts too).
int checks(const char* path, int items)
{
    screenshot shot = read_screenshot(path);
    HWND popup = FindWindowA("#32768", nullptr);
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
        for (int y = top; y < top + item_height; y++) {
            const unsigned char* background = shot.at(rect.left + BORDER, y);
            for (int x = rect.left + BORDER + 1; x < rect.left + BORDER + 1 + STRIP; x++)
                marked = marked || std::memcmp(shot.at(x, y), background, 3) != 0;
        }
        marks += marked ? " 1" : " 0";
    }
    std::printf("checks=%s\n", marks.c_str() + 1);
    return 0;
}

long number(const char* text)
{
    return std::strtol(text, nullptr, 0);
}

int usage()
{
    std::fprintf(stderr, "probe: unknown or incomplete command\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);  // plain LF lines for the shell scripts
    if (argc < 2)
        return usage();
    std::string verb = argv[1];
    if (verb == "find" && argc == 3)
        return find(static_cast<int>(number(argv[2])));
    if (verb == "info")
        return info();
    if (verb == "command" && argc >= 3) {
        HWND window = require_window();
        for (int i = 2; i < argc; i++)
            PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(number(argv[i])), 0);
        return 0;
    }
    if (verb == "held" && argc >= 4) {
        HWND window = require_window();
        for (int i = 3; i < argc; i++)
            PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(number(argv[i])), 0);
        ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(number(argv[2]));
        // Faster than the window takes them, so the queue never runs dry.
        while (GetTickCount64() < until && IsWindow(window))
            if (!PostMessageA(window, WM_NULL, 0, 0))
                Sleep(1);
        return 0;
    }
    if (verb == "press" && argc == 4)
        return PostMessageA(require_window(), WM_LBUTTONDOWN, MK_LBUTTON,
                            MAKELPARAM(number(argv[2]), number(argv[3])))
                   ? 0
                   : 1;
    if (verb == "post" && argc == 5)
        return PostMessageA(require_window(), static_cast<UINT>(number(argv[2])),
                            static_cast<WPARAM>(std::strtoll(argv[3], nullptr, 0)),
                            static_cast<LPARAM>(std::strtoll(argv[4], nullptr, 0)))
                   ? 0
                   : 1;
    if (verb == "close")
        return PostMessageA(require_window(), WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    if (verb == "repaint")
        return InvalidateRect(require_window(), nullptr, FALSE) ? 0 : 1;
    if (verb == "dialog" && argc == 3)
        return dialog(static_cast<int>(number(argv[2])));
    if (verb == "menu" && argc == 4)
        return open_menu(argv[2][0], static_cast<int>(number(argv[3])));
    if (verb == "endmenu")
        return end_menu();
    if (verb == "cells" && argc == 3)
        return cells(argv[2]);
    if (verb == "checks" && argc == 4)
        return checks(argv[2], static_cast<int>(number(argv[3])));
    return usage();
}
