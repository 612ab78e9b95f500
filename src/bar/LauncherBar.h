// The bar window: a screen-wide strip with the SYSMENU button, the launch buttons, help and four tiles.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "BarGeometry.h"
#include "BarIcons.h"
#include "BarKeyboard.h"
#include "BarScreen.h"
#include "PointerWatch.h"
#include "framework/AppBarRegistration.h"
#include "framework/BitmapButton.h"
#include "framework/Handles.h"
#include "framework/IdleRules.h"
#include "framework/LateBound.h"
#include "framework/PointerBand.h"
#include "framework/ToolTip.h"
#include "framework/Window.h"
#include "launch/LaunchButton.h"

struct AutoHideResult;

// The calls that end the session, open help or reach the shell (its tray, its bars): the
// tests put recorders here so that they neither end Wine nor start a viewer.
struct BarSystemCalls {
    BOOL(WINAPI* exitWindows)(UINT, DWORD) = ExitWindowsEx;
    BOOL(WINAPI* winHelp)(HWND, LPCSTR, UINT, ULONG_PTR) = WinHelpA;
    HINSTANCE(WINAPI* shellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) = lateBound::shellExecuteA;
    BOOL(WINAPI* notifyIcon)(DWORD, PNOTIFYICONDATAA) = lateBound::shellNotifyIconA;
    // The idle tick's pointer read, so tests can count it and place a pointer.
    BOOL(WINAPI* cursorPos)(LPPOINT) = GetCursorPos;
    AppBarRegistration::Send appBarMessage = lateBound::shAppBarMessage;
};
extern BarSystemCalls barSystemCalls;

class LauncherBar : public FrameWindow, public LaunchButtonSite {
public:
    // Creates the window; when this returns the bar stands at its edge with its controls.
    LauncherBar();
    ~LauncherBar() override;

    // The first layout while the window is created, a relayout afterwards.
    int layout();
    // A relayout now, or once a modal loop of the bar is over (a dialog's caller still uses the buttons).
    void relayoutWhenFree();
    // Puts the bar at full height at its edge, shown, with the z-order rule;
    // as an application desktop toolbar, where the shell gives it room.
    void place();
    // The bar's sizes at its monitor's DPI.
    BarMetrics metrics() const { return screen_.metrics(); }
    int dpi() const { return screen_.dpi(); }
    void loadSettings();
    // False when a key could not be written.
    bool saveSettings() const;
    void loadItems();
    // What the launch buttons ask of the bar.
    bool acceptsInput() const override;
    int itemNumber(int slot) const override { return Current + slot; }
    const std::string& nameAt(int slot) const override { return itemName[slot]; }
    const std::string& commandAt(int slot) const override { return itemCommand[slot]; }
    void itemChanged(int slot, const std::string& name, const std::string& command) override;
    // The item editor on the block of the button's item, for a Shift-click; ends with a relayout.
    void editItem(LaunchButton& button) override;
    LaunchButton* buttonAt(POINT screenPoint) override;
    // Two items of the page change places, in the profile, the table and on the buttons.
    void swapItems(int slotA, int slotB) override;
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
    // True while the pointer must be read by ticks: auto-hide watches it (on, not hidden by
    // the user, not minimised) and no window of the bar can tell where it is.
    bool needsTicks() const;
    // What the last tick saw (movement, distance to the band), which paces the next one.
    bool tickSawMovement() const { return lastTick_.moved; }
    IdleTickResult lastTick() const { return lastTick_; }
    // Every button's tooltip from the bar's state; one launch button's after its item changed.
    void updateTips();
    void updateItemTip(int slot);
    // A button's tooltip, and its name for screen readers: the tip's first line, or the name given.
    void describe(HWND button, const std::string& tip, const std::string& name = {});
    // The hotkey as the profile says, registered anew.
    void registerHotKey();
    // The bar's keys while it or one of its buttons has the keyboard; true when handled (BarKeys.cpp).
    bool translateKey(const MSG& msg);
    bool inKeyboardMode() const { return keyboard_.active(); }
    // The slot of a launch button of the page, or -1.
    int slotOf(HWND button) const;
    // The icons of the page's items, from the cache at once, the rest once nothing waits.
    void requestIcons();
    HICON slotIcon(int slot) const { return icons_.slotIcon(slot); }

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
    // The newer options: a missing key leaves the classic behaviour.
    int AppBar = 0;
    int Monitor = 1;
    int ShowIcons = 0;
    // The hotkey control's word: modifier flags in the high byte, the virtual key in the low one.
    int HotKey = 0;
    std::array<std::string, kMaxSlots> itemName;
    std::array<std::string, kMaxSlots> itemCommand;
    NOTIFYICONDATAA trayIconData{};

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int onCreate();
    // The layout itself; layout() keeps it from running inside itself.
    int layOut();
    void onActivate(WPARAM wParam, LPARAM lParam);
    void onDrawItem(const DRAWITEMSTRUCT& item);
    // Auto-hide's step; what it saw of the pointer.
    IdleTickResult onIdleTick();
    // The step for a pointer where it is now, however the bar learnt it.
    IdleTickResult stepFor(POINT pointer);
    // The band window over the edge while the bar is in, the watch of its windows while it is
    // out; neither where the bar is not topmost (a full-screen program, OverTop off).
    void updatePointerWatch();
    // The band window at the edge: the pointer came into it.
    void pointerInBand(POINT screenPoint);
    void onPointerLeft();
    void buildCommandMenu();
    void addTrayIcon();
    void onTrayNotify(UINT mouseMessage);
    // Opens the menu as the foreground window, so that a click elsewhere closes it.
    void trackCommandMenu(UINT flags, int x, int y, const RECT* exclude);
    void hideOrMinimise();
    void createBitmapButtons(int clientWidth, int clientHeight);
    void createPageButtons(int clientWidth, int clientHeight);
    void createLaunchButton(int slot, const RECT& rect);
    void refreshPageButtons(int clientWidth, int clientHeight);
    void destroyLaunchButton(int slot);
    // Out of the topmost band while a full-screen program is open.
    HWND insertAfter() const
    {
        return OverTop ? (appBar_.fullScreen() ? HWND_BOTTOM : HWND_TOPMOST) : HWND_NOTOPMOST;
    }
    void moveBitmapButtons(int clientWidth, int clientHeight);
    // The slide's moves, with the shell told of the bar's place once, at the end.
    void slide(const AutoHideResult& step, const RECT& edges);
    // The placement on the screen as last read.
    void placeOnScreen();
    // The bar's room at its edge as the shell's application bar (none with AppBar off,
    // or with auto-hide on), and as its auto-hide bar; given back while out of sight.
    RECT takeRoom();
    void giveRoomBack();
    void takeRoomAgain();
    void reportAutoHideTaken();
    // Explorer restarted: the bar registers again, and adds its tray icon again.
    void onShellStarted();
    void onAppBarNotice(UINT notification, LPARAM lParam);
    void loadIcons();
    // Repaints the launch buttons whose icon changed; a new caption paints one anyway.
    void repaintIcons(const PageIcons::Slots& changed);
    // The hotkey: the bar out (slid out, restored, shown) and given the keyboard.
    void onHotKey();
    // Keyboard mode ends; the tiles draw without their focus again.
    void leaveKeyboard(bool giveBack);
    // The buttons in the order the focus goes through them.
    std::vector<HWND> focusOrder() const;

    // Where the bar stands, its DPI, and the fonts and art made for it.
    BarScreen screen_;
    // Its room at the edge as the shell's application desktop toolbar.
    AppBarRegistration appBar_{barSystemCalls.appBarMessage};
    // The hotkey, keyboard mode and the window the keyboard goes back to.
    BarKeyboard keyboard_;
    // The page's program icons.
    PageIcons icons_;
    // Where the pointer is while auto-hide watches: the band at the edge, the bar's windows.
    PointerBand band_;
    PointerWatch pointer_;
    // Broadcast by a shell that (re)started.
    UINT taskbarCreated_ = 0;
    bool layingOut_ = false;
    bool relayoutPosted_ = false;
    bool roomGivenBack_ = false;
    bool autoHideReported_ = false;
    bool sliding_ = false;
    POINT lastTickPointer_{};
    IdleTickResult lastTick_;
};
