// Control ids, command ids and private messages of the bar.
#pragma once

// Sent by the application's idle processing; drives auto-hide.
constexpr unsigned WM_BAR_IDLE_TICK = 0x5BC;
// Callback of the notification-area icon.
constexpr unsigned WM_BAR_TRAY_NOTIFY = 0x54D;
// Callback of the shell for an application desktop toolbar.
constexpr unsigned WM_BAR_APPBAR = 0x5BD;
// Posted once the bar stands: its hotkey is another program's.
constexpr unsigned WM_BAR_HOTKEY_TAKEN = 0x5BE;
// Posted after a relayout: the launch buttons' icons, loaded while nothing waits.
constexpr unsigned WM_BAR_LOAD_ICONS = 0x5BF;
// Posted once the bar stands: it registers with the shell to hear of full-screen programs.
constexpr unsigned WM_BAR_REGISTER = 0x5C0;
// Posted when the bar shows again: it takes its room beside the taskbar again.
constexpr unsigned WM_BAR_TAKE_ROOM = 0x5C1;
// Posted once: the edge already has an auto-hide bar (the taskbar).
constexpr unsigned WM_BAR_AUTOHIDE_TAKEN = 0x5C2;
// Posted when the pointer left the window of the bar it was over.
constexpr unsigned WM_BAR_POINTER_LEFT = 0x5C3;
// Sent by the band window at the edge: the pointer moved in it (the point on the screen).
constexpr unsigned WM_BAR_POINTER_IN_BAND = 0x5C4;
constexpr int kHotKeyId = 1;
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

enum BarCommand : int {
    kCmdShutdown = 998,
    kCmdRestart = 999,
    kCmdHide = 1000,
    kCmdQuit = 1001,
    kCmdShow = 1003,
    kCmdAbout = 1005,
    kCmdSettings = 1006,
    kCmdEditItems = 1007,
    kCmdHelp = 1009,
    kIdSysMenu = 1100,
    kIdIcon = 1110,
    kIdChange = 1120,
    kIdNext = 1130,
    kIdBefore = 1140,
    kIdHelpButton = 1150,
    // The bar's own: a relayout held back while a modal loop ran.
    kCmdRelayout = 1160,
};

// Launch buttons are numbered after their item.
constexpr int kLaunchIdBase = 2000;

constexpr int kIconId = 31234;
