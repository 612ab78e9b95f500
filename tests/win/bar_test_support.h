// Helpers of the bar's behaviour tests: menus read back, message boxes closed from a second thread, calls recorded.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
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
