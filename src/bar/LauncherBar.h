// The bar window: a screen-wide strip with the SYSMENU button, the launch buttons, help and four tiles.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <memory>
#include <string>

#include "framework/BitmapButton.h"
#include "framework/Handles.h"
#include "framework/LateBound.h"
#include "framework/ToolTip.h"
#include "framework/Window.h"
#include "launch/LaunchButton.h"

constexpr int kMaxSlots = 16;

// The calls that end the session, open help or reach the shell's tray: the
// tests put recorders here so that they neither end Wine nor start a viewer.
struct BarSystemCalls {
    BOOL(WINAPI* exitWindows)(UINT, DWORD) = ExitWindowsEx;
    BOOL(WINAPI* winHelp)(HWND, LPCSTR, UINT, ULONG_PTR) = WinHelpA;
    HINSTANCE(WINAPI* shellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) = lateBound::shellExecuteA;
    BOOL(WINAPI* notifyIcon)(DWORD, PNOTIFYICONDATAA) = lateBound::shellNotifyIconA;
    // The idle tick's pointer read, so tests can count it and place a pointer.
    BOOL(WINAPI* cursorPos)(LPPOINT) = GetCursorPos;
};
extern BarSystemCalls barSystemCalls;

class LauncherBar : public FrameWindow {
public:
    // Creates the window; when this returns the bar stands at its edge with its controls.
    LauncherBar();
    ~LauncherBar() override;

    // The first layout while the window is created, a relayout afterwards.
    int layout();
    // Puts the bar at full height at its edge, shown, with the z-order rule.
    void place();
    void loadSettings();
    // False when a key could not be written.
    bool saveSettings() const;
    void loadItems();
    // The item editor on the block of an item, for a Shift-click; ends with a relayout.
    void editItemFromButton(LaunchButton& button, int item);
    // The dialogs of commands 1005, 1006 and 1007 (BarDialogs.cpp); they return how the dialog ended.
    INT_PTR openAbout();
    INT_PTR openSettings();
    INT_PTR openItemEditor();
    // The bar's commands (BarCommands.cpp).
    void onCommand(int id, int code);
    void showCommandMenu();
    void quit();
    // Restart or shutdown: save, ask for the privilege, then the system.
    void exitSystem(UINT how);
    void openHelp();
    // True while auto-hide watches the pointer: on, not hidden by the user, not minimised.
    bool needsTicks() const;
    // Whether the last tick saw the pointer move, which paces the next one.
    bool tickSawMovement() const { return tickSawMovement_; }
    // Every button's tooltip from the bar's state; one launch button's after its item changed.
    void updateTips();
    void updateItemTip(int slot);

    Font normalFont;
    Font boldFont;
    Menu commandMenu;
    std::array<std::unique_ptr<LaunchButton>, kMaxSlots> launchButtons;
    Control helpButton;
    BitmapButton sysMenuButton;
    BitmapButton iconButton;
    BitmapButton changeButton;
    BitmapButton nextButton;
    BitmapButton beforeButton;
    ToolTip tips;
    int OverTop = 0;
    int Silent = 0;
    int barShown = 0;
    int userHidden = 0;
    int SilentSize = 0;
    int inCreate = 0;
    int MenuPos = 0;
    int Current = 0;
    int MenuSize = 0;
    int barHeight = 0;
    int platformId = 0;
    std::array<std::string, kMaxSlots> itemName;
    std::array<std::string, kMaxSlots> itemCommand;
    NOTIFYICONDATAA trayIconData{};

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int onCreate();
    void onDrawItem(const DRAWITEMSTRUCT& item);
    // Auto-hide's step; true when the pointer moved since the tick before.
    bool onIdleTick();
    void buildCommandMenu();
    void addTrayIcon();
    void onTrayNotify(UINT mouseMessage);
    // Opens the menu as the foreground window, so that a click elsewhere closes it.
    void trackCommandMenu(UINT flags, int x, int y, const RECT* rect);
    void hideOrMinimise();
    void createBitmapButtons(int clientWidth, int clientHeight);
    void createPageButtons(int clientWidth, int clientHeight);
    void destroyPageButtons();
    HWND insertAfter() const { return OverTop ? HWND_TOPMOST : HWND_NOTOPMOST; }

    // Broadcast by a shell that (re)started: the tray icon must be added again.
    UINT taskbarCreated_ = 0;
    POINT lastTickPointer_{};
    bool tickSawMovement_ = false;
    // The screen as the tick last read it; a height of 0 makes the next tick read it.
    int tickScreenWidth_ = 0;
    int tickScreenHeight_ = 0;
};
