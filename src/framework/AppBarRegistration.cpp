// A window's registration with the shell as an application desktop toolbar.
#include "AppBarRegistration.h"

#include <shellapi.h>

#include "LateBound.h"

namespace {

APPBARDATA dataFor(HWND window)
{
    APPBARDATA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    return data;
}

} // namespace

void AppBarRegistration::sync(HWND window, bool wanted, UINT callbackMessage)
{
    if (wanted && !registered_) {
        APPBARDATA data = dataFor(window);
        data.uCallbackMessage = callbackMessage;
        registered_ = lateBound::shAppBarMessage(ABM_NEW, &data) != 0;
        window_ = registered_ ? window : nullptr;
    } else if (!wanted && registered_) {
        remove();
    }
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
        lateBound::shAppBarMessage(ABM_QUERYPOS, &data);
        toEdge();
    }
    lateBound::shAppBarMessage(ABM_SETPOS, &data);
    return data.rc;
}

void AppBarRegistration::remove()
{
    if (!registered_)
        return;
    APPBARDATA data = dataFor(window_);
    lateBound::shAppBarMessage(ABM_REMOVE, &data);
    registered_ = false;
    fullScreen_ = false;
    window_ = nullptr;
}

AppBarRegistration::Notice AppBarRegistration::onNotice(UINT notification, LPARAM lParam)
{
    switch (notification) {
    case ABN_POSCHANGED:
        return registered_ ? Notice::positionChanged : Notice::none;
    case ABN_FULLSCREENAPP:
        fullScreen_ = lParam != 0;
        return Notice::fullScreenChanged;
    default:
        return Notice::none;
    }
}
