// A window's registration with the shell as an application desktop toolbar.
#include "AppBarRegistration.h"

#ifndef ABM_SETAUTOHIDEBAREX
#define ABM_GETAUTOHIDEBAREX 0x0000000b
#define ABM_SETAUTOHIDEBAREX 0x0000000c
#endif

namespace {

APPBARDATA dataFor(HWND window)
{
    APPBARDATA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    return data;
}

// A window that fills its whole monitor: a full-screen program.
bool fillsMonitor(HWND window, HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT rect{};
    if (!window || !GetWindowRect(window, &rect) || !GetMonitorInfoA(monitor, &info))
        return false;
    return rect.left <= info.rcMonitor.left && rect.top <= info.rcMonitor.top && rect.right >= info.rcMonitor.right &&
           rect.bottom >= info.rcMonitor.bottom;
}

} // namespace

void AppBarRegistration::registerWith(HWND window, UINT callbackMessage)
{
    if (registered_)
        return;
    APPBARDATA data = dataFor(window);
    data.uCallbackMessage = callbackMessage;
    registered_ = send_(ABM_NEW, &data) != 0;
    window_ = registered_ ? window : nullptr;
}

RECT AppBarRegistration::reserve(UINT edge, const RECT& area, int thickness)
{
    APPBARDATA data = dataFor(window_);
    data.uEdge = edge;
    data.rc = area;
    auto toEdge = [&] {
        if (edge == ABE_BOTTOM)
            data.rc.top = data.rc.bottom - thickness;
        else
            data.rc.bottom = data.rc.top + thickness;
    };
    toEdge();
    if (thickness > 0) {
        send_(ABM_QUERYPOS, &data);
        toEdge();
    }
    send_(ABM_SETPOS, &data);
    return data.rc;
}

bool AppBarRegistration::setAutoHide(UINT edge, const RECT& area, bool on)
{
    if (!registered_ || (on == autoHide_ && (!on || edge == autoHideEdge_)))
        return true;
    if (autoHide_ && (!on || edge != autoHideEdge_)) {
        APPBARDATA data = dataFor(window_);
        data.uEdge = autoHideEdge_;
        data.rc = area;
        data.lParam = FALSE;
        send_(ABM_SETAUTOHIDEBAREX, &data) || send_(ABM_SETAUTOHIDEBAR, &data);
        autoHide_ = false;
    }
    if (!on)
        return true;
    APPBARDATA data = dataFor(window_);
    data.uEdge = edge;
    data.rc = area;
    data.lParam = TRUE;
    // The monitor's edge where the shell knows it (Windows 8 and later), else the screen's.
    autoHide_ = send_(ABM_SETAUTOHIDEBAREX, &data) != 0 ||
                send_(ABM_SETAUTOHIDEBAR, &data) != 0;
    autoHideEdge_ = edge;
    if (autoHide_)
        return true;
    // Refused: only a holder that is another window is a reason to say so; a shell that
    // does not keep auto-hide bars at all (Wine's) has none.
    APPBARDATA ask = dataFor(window_);
    ask.uEdge = edge;
    ask.rc = area;
    HWND holder = reinterpret_cast<HWND>(send_(ABM_GETAUTOHIDEBAREX, &ask));
    if (!holder)
        holder = reinterpret_cast<HWND>(send_(ABM_GETAUTOHIDEBAR, &ask));
    return !holder || holder == window_;
}

void AppBarRegistration::remove()
{
    if (!registered_)
        return;
    APPBARDATA data = dataFor(window_);
    send_(ABM_REMOVE, &data);
    registered_ = false;
    fullScreen_ = false;
    autoHide_ = false;
    window_ = nullptr;
}

void AppBarRegistration::activated()
{
    if (!registered_)
        return;
    APPBARDATA data = dataFor(window_);
    send_(ABM_ACTIVATE, &data);
}

void AppBarRegistration::moved()
{
    if (!registered_)
        return;
    APPBARDATA data = dataFor(window_);
    send_(ABM_WINDOWPOSCHANGED, &data);
}

AppBarRegistration::Notice AppBarRegistration::onNotice(UINT notification, LPARAM lParam)
{
    switch (notification) {
    case ABN_POSCHANGED:
        return registered_ ? Notice::positionChanged : Notice::none;
    case ABN_FULLSCREENAPP: {
        // The notice names no monitor: a program full screen on another one leaves this
        // window where it is.
        bool here = lParam != 0 && window_ &&
                    fillsMonitor(GetForegroundWindow(), MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST));
        if (here == fullScreen_)
            return Notice::none;
        fullScreen_ = here;
        return Notice::fullScreenChanged;
    }
    default:
        return Notice::none;
    }
}
