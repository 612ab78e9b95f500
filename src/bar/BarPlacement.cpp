// Where the bar stands: its monitor and DPI, its place at the edge, and its room as an application desktop toolbar.
#include <vector>

#include "BarIds.h"
#include "LauncherBar.h"
#include "framework/LateBound.h"

namespace {

BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
    return TRUE;
}

// Monitor N of the user's count: 1 the primary, then the others in the system's order.
HMONITOR nthMonitor(int n)
{
    if (n <= 1)
        return nullptr;
    std::vector<HMONITOR> monitors;
    EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&monitors));
    HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    int index = 1;
    for (HMONITOR monitor : monitors) {
        if (monitor == primary)
            continue;
        if (++index == n)
            return monitor;
    }
    return nullptr;
}

int systemDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kBaseDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

} // namespace

void LauncherBar::readScreen()
{
    Screen screen;
    HMONITOR monitor = nthMonitor(Monitor);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoA(monitor, &info)) {
        screen.edges = info.rcMonitor;
        screen.width = info.rcMonitor.right - info.rcMonitor.left;
        screen.confined = true;
        UINT dpi = toldDpi_ && toldDpiMonitor_ == Monitor ? toldDpi_ : lateBound::monitorDpi(monitor);
        screen.dpi = dpi ? static_cast<int>(dpi) : systemDpi();
    } else {
        // The primary monitor, measured as the bar always was: any pointer height counts.
        screen.edges = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        screen.width = GetSystemMetrics(SM_CXFULLSCREEN);
        UINT dpi = toldDpi_ && toldDpiMonitor_ == Monitor ? toldDpi_ : hwnd() ? lateBound::windowDpi(hwnd()) : 0;
        screen.dpi = dpi ? static_cast<int>(dpi) : systemDpi();
    }
    screen_ = screen;
    screenStale_ = false;
}

void LauncherBar::place()
{
    // Read afresh at every placement, as the bar always did.
    readScreen();
    placeOnScreen();
}

void LauncherBar::placeOnScreen()
{
    syncAppBar();
    // Shown again: a bar the user had hidden is no longer hidden.
    userHidden = 0;
    const RECT& edges = screen_.edges;
    RECT bar{edges.left, MenuPos ? edges.bottom - barHeight : edges.top, edges.left + screen_.width, 0};
    if (appBarRegistered_) {
        // The shell's room for the bar at its edge: above the taskbar, below another bar.
        // With auto-hide on it takes no room: the bar slides over whatever is there.
        APPBARDATA data{};
        data.cbSize = sizeof data;
        data.hWnd = hwnd();
        data.uEdge = MenuPos ? ABE_BOTTOM : ABE_TOP;
        data.rc = RECT{edges.left, edges.top, edges.left + screen_.width, edges.bottom};
        int thickness = Silent ? 0 : barHeight;
        auto toEdge = [&] {
            if (MenuPos)
                data.rc.top = data.rc.bottom - thickness;
            else
                data.rc.bottom = data.rc.top + thickness;
        };
        toEdge();
        if (!Silent) {
            lateBound::shAppBarMessage(ABM_QUERYPOS, &data);
            toEdge();
        }
        lateBound::shAppBarMessage(ABM_SETPOS, &data);
        if (!Silent)
            bar = RECT{data.rc.left, data.rc.top, data.rc.right, 0};
    }
    SetWindowPos(hwnd(), insertAfter(), bar.left, bar.top, bar.right - bar.left, barHeight, SWP_SHOWWINDOW);
    barShown = 1;
}

void LauncherBar::syncAppBar()
{
    if (AppBar && !appBarRegistered_) {
        APPBARDATA data{};
        data.cbSize = sizeof data;
        data.hWnd = hwnd();
        data.uCallbackMessage = WM_BAR_APPBAR;
        appBarRegistered_ = lateBound::shAppBarMessage(ABM_NEW, &data) != 0;
    } else if (!AppBar && appBarRegistered_) {
        removeAppBar();
    }
}

void LauncherBar::removeAppBar()
{
    if (!appBarRegistered_)
        return;
    // Otherwise the shell keeps the bar's room, and every later bar moves for it.
    APPBARDATA data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd();
    lateBound::shAppBarMessage(ABM_REMOVE, &data);
    appBarRegistered_ = false;
    fullScreenApp_ = false;
}

void LauncherBar::onAppBarNotify(UINT notification, LPARAM lParam)
{
    switch (notification) {
    case ABN_POSCHANGED:
        // The taskbar or another bar moved: the shell may give the bar another place.
        if (appBarRegistered_ && !Silent && barShown && !userHidden && !IsIconic(hwnd())) {
            RECT before{};
            GetWindowRect(hwnd(), &before);
            place();
            RECT after{};
            GetWindowRect(hwnd(), &after);
            if (after.right - after.left != before.right - before.left)
                relayoutWhenFree();
        }
        break;
    case ABN_FULLSCREENAPP:
        // A full-screen program opened (or closed): the bar leaves it the screen,
        // and an auto-hidden bar stays in until it closes.
        fullScreenApp_ = lParam != 0;
        if (OverTop)
            SetWindowPos(hwnd(), insertAfter(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    }
}
