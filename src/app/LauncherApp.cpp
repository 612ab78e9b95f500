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

bool LauncherApp::onIdle(long count)
{
    if (WinApp::onIdle(count))
        return true;
    if (Window* main = mainWindow())
        SendMessageA(main->hwnd(), WM_BAR_IDLE_TICK, 0, 0);
    return true;
}

LauncherBar* LauncherApp::bar() const
{
    return static_cast<LauncherBar*>(mainWindow());
}
