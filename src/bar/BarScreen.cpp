// Where the bar stands: its monitor and DPI, and the fonts and art made for that DPI.
#include "BarScreen.h"

#include <vector>

#include "BarTexts.h"
#include "framework/LateBound.h"

namespace {

BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
    return TRUE;
}

// Monitor N of the user's count, or null for the primary and for one that is not there.
HMONITOR nthMonitor(int n)
{
    if (n <= 1)
        return nullptr;
    std::vector<HMONITOR> monitors = monitorsInOrder();
    return n <= static_cast<int>(monitors.size()) ? monitors[static_cast<std::size_t>(n - 1)] : nullptr;
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

std::vector<HMONITOR> monitorsInOrder()
{
    std::vector<HMONITOR> found;
    EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&found));
    HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    std::vector<HMONITOR> monitors{primary};
    for (HMONITOR monitor : found)
        if (monitor != primary)
            monitors.push_back(monitor);
    return monitors;
}

HFONT makeBarFont(int weight, int height)
{
    return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DRAFT_QUALITY, 0, kBarFontFace);
}

void BarScreen::read(HWND bar, int monitorNumber)
{
    HMONITOR monitor = nthMonitor(monitorNumber);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    UINT told = toldDpi_ && toldDpiMonitor_ == monitorNumber ? toldDpi_ : 0;
    UINT dpi = 0;
    if (monitor && GetMonitorInfoA(monitor, &info)) {
        edges_ = info.rcMonitor;
        width_ = info.rcMonitor.right - info.rcMonitor.left;
        confined_ = true;
        dpi = told ? told : lateBound::monitorDpi(monitor);
    } else {
        // The primary monitor, measured as the bar always was: any pointer height counts.
        edges_ = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        width_ = GetSystemMetrics(SM_CXFULLSCREEN);
        confined_ = false;
        dpi = told ? told : bar ? lateBound::windowDpi(bar) : 0;
    }
    readDpi_ = dpi ? static_cast<int>(dpi) : systemDpi();
    stale_ = false;
}

void BarScreen::tellDpi(UINT dpi, int monitor)
{
    toldDpi_ = dpi;
    toldDpiMonitor_ = monitor;
    stale_ = true;
}

void BarScreen::applyDpi(Font& normal, Font& bold, std::initializer_list<BitmapButton*> tiles, ToolTip& tips)
{
    if (fontDpi_ != dpi_) {
        normal.reset(makeBarFont(FW_DONTCARE, metrics().fontHeight()));
        bold.reset(makeBarFont(FW_BOLD, metrics().fontHeight()));
        fontDpi_ = dpi_;
    }
    if (artDpi_ != dpi_ && tiles.size() && (*tiles.begin())->hwnd()) {
        for (BitmapButton* tile : tiles)
            tile->scaleTo(dpi_);
        artDpi_ = dpi_;
    }
    tips.setDpi(dpi_);
}
