// The application object: creates the bar as the main window and turns idle passes into ticks.
#pragma once

#include "framework/WinApp.h"

class LauncherBar;

class LauncherApp : public WinApp {
public:
    bool initInstance() override;
    bool onIdle(long count) override;

    // The bar while it is the main window, else null.
    LauncherBar* bar() const;
};

constexpr COLORREF kDialogBackground = RGB(192, 192, 192);
constexpr COLORREF kDialogText = RGB(0, 0, 0);
