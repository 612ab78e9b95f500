// Helpers of the bar's behaviour tests: menus read back, message boxes closed from a second thread, calls recorded.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bar/LauncherBar.h"

struct MenuLine {
    UINT id;
    std::string label; // empty for a separator
    bool separator;
    bool operator==(const MenuLine&) const = default;
};

inline std::vector<MenuLine> readMenu(HMENU menu)
{
    std::vector<MenuLine> lines;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        char label[256] = {};
        int length = GetMenuStringA(menu, static_cast<UINT>(i), label, sizeof label, MF_BYPOSITION);
        bool separator = (state & MF_SEPARATOR) != 0;
        // Every item is enabled and unchecked (the system reports separators as greyed).
        if (!separator) {
            EXPECT_EQ(state, 0u) << i;
        }
        lines.push_back({separator ? 0u : GetMenuItemID(menu, i),
                         std::string(label, static_cast<std::size_t>(length > 0 ? length : 0)), separator});
    }
    return lines;
}

inline std::string staticText(HWND box)
{
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") != 0)
            continue;
        char buffer[512] = {};
        int length = GetWindowTextA(child, buffer, sizeof buffer);
        if (length > 0)
            text.assign(buffer, static_cast<std::size_t>(length));
    }
    return text;
}

// Waits on a second thread for a message box of this process with the caption,
// keeps its text, runs an optional action while it is open, then presses OK.
class BoxCloser {
public:
    explicit BoxCloser(std::string caption, std::function<void()> whileOpen = {}, DWORD timeoutMs = 20000)
        : thread_([this, caption, whileOpen, timeoutMs] { watch(caption, whileOpen, timeoutMs); })
    {
    }
    ~BoxCloser() { join(); }
    void join()
    {
        if (thread_.joinable())
            thread_.join();
    }
    std::atomic<bool> seen{false};
    std::string text;
    UINT style = 0;

private:
    void watch(const std::string& caption, const std::function<void()>& whileOpen, DWORD timeoutMs)
    {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            HWND box = FindWindowA("#32770", caption.c_str());
            DWORD owner = 0;
            if (box)
                GetWindowThreadProcessId(box, &owner);
            if (box && owner == GetCurrentProcessId()) {
                text = staticText(box);
                style = static_cast<UINT>(GetWindowLongA(box, GWL_STYLE));
                if (whileOpen)
                    whileOpen();
                seen = true;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(10);
        }
    }
    std::thread thread_;
};

// The popup menu window of this thread while a menu runs modal, looked at from a thread timer.
struct OpenMenu {
    bool seen = false;
    RECT rect{};
    HMENU menu = nullptr;
    HWND foreground = nullptr;
};

inline OpenMenu* openMenuRecord = nullptr;

inline void CALLBACK examineOpenMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup))
        return;
    KillTimer(nullptr, timer);
    openMenuRecord->seen = true;
    GetWindowRect(popup, &openMenuRecord->rect);
    openMenuRecord->menu = reinterpret_cast<HMENU>(SendMessageA(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
    openMenuRecord->foreground = GetForegroundWindow();
    EndMenu();
}

// Runs something that opens a popup menu modal, and records the menu window before closing it.
inline OpenMenu whileMenuOpen(const std::function<void()>& opener)
{
    OpenMenu record;
    openMenuRecord = &record;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, examineOpenMenu);
    opener();
    KillTimer(nullptr, timer);
    openMenuRecord = nullptr;
    return record;
}

// A tray call as the bar made it.
struct TrayCall {
    DWORD message;
    NOTIFYICONDATAA data;
    BOOL result;
};

inline std::vector<TrayCall> trayCalls;

// Records and then makes the real call.
inline BOOL WINAPI recordTrayCall(DWORD message, PNOTIFYICONDATAA data)
{
    BOOL result = Shell_NotifyIconA(message, data);
    trayCalls.push_back({message, *data, result});
    return result;
}
