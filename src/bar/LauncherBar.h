// The bar window: a screen-wide strip with the SYSMENU button, the launch buttons, help and four tiles.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <memory>
#include <string>

#include "framework/BitmapButton.h"
#include "framework/Handles.h"
#include "framework/Window.h"
#include "launch/LaunchButton.h"

constexpr int kMaxSlots = 16;

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
    void saveSettings() const;
    void loadItems();

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
    void onCommand(int id, int code);
    void onIdleTick();
    void createBitmapButtons(int clientWidth, int clientHeight);
    void createPageButtons(int clientWidth, int clientHeight);
    void destroyPageButtons();
    HWND insertAfter() const { return OverTop ? HWND_TOPMOST : HWND_NOTOPMOST; }
};
