// The application object.
#include "LauncherApp.h"

#include "bar/BarIds.h"
#include "bar/LauncherBar.h"

bool LauncherApp::initInstance()
{
    setDialogColors(kDialogBackground, kDialogText);
    auto* bar = new LauncherBar();
    if (!bar->hwnd()) {
        // The window was never created, so the object does not own itself.
        delete bar;
        return false;
    }
    setMainWindow(bar);
    ShowWindow(bar->hwnd(), showCommand());
    UpdateWindow(bar->hwnd());
    return true;
}

bool LauncherApp::wantsIdleTicks() const
{
    LauncherBar* main = bar();
    return main && main->needsTicks();
}

IdleTickResult LauncherApp::onIdleTick()
{
    LauncherBar* main = bar();
    if (!main)
        return {};
    HWND window = main->hwnd();
    SendMessageA(window, WM_BAR_IDLE_TICK, 0, 0);
    // The tick may have ended the bar.
    main = bar();
    if (!main || main->hwnd() != window)
        return {};
    return main->lastTick();
}

bool LauncherApp::preTranslateMessage(const MSG& msg)
{
    LauncherBar* main = bar();
    return main && main->translateKey(msg);
}

LauncherBar* LauncherApp::bar() const
{
    return dynamic_cast<LauncherBar*>(mainWindow());
}
