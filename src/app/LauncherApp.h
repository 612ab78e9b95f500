// The application object: creates the bar as the main window and gives it ticks while it needs them.
#pragma once

#include "framework/WinApp.h"

class LauncherBar;

class LauncherApp : public WinApp {
public:
    bool initInstance() override;
    // The bar decides: it needs ticks only while auto-hide watches the pointer.
    bool wantsIdleTicks() const override;
    // A tick for the main window; the bar says what it saw.
    IdleTickResult onIdleTick() override;
    // The bar's keys: moving the focus, starting, paging, the menu, Esc.
    bool preTranslateMessage(const MSG& msg) override;

    // The bar while it is the main window, else null.
    LauncherBar* bar() const;
};

constexpr COLORREF kDialogBackground = RGB(192, 192, 192);
constexpr COLORREF kDialogText = RGB(0, 0, 0);
