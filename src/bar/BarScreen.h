// Where the bar stands: its monitor, the edges it docks and auto-hides at, its DPI, and the fonts and art made for it.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "BarGeometry.h"
#include "framework/BitmapButton.h"
#include "framework/Handles.h"
#include "framework/ToolTip.h"

class BarScreen {
public:
    // The monitor the user chose (1 the primary, then the others in the system's order;
    // a missing one is the primary), its edges and DPI, read afresh.
    void read(HWND bar, int monitor);
    // Read again before the next tick uses it (a display or setting changed).
    void markStale() { stale_ = true; }
    bool stale() const { return stale_; }
    // What WM_DPICHANGED said, for the monitor the bar was on then.
    void tellDpi(UINT dpi, int monitor);

    const RECT& edges() const { return edges_; }
    int width() const { return width_; }
    // A monitor the user chose: a pointer off it neither calls the bar nor keeps it out.
    bool confined() const { return confined_; }
    // The DPI the bar is laid out at: the monitor's, as read at the last layout.
    int dpi() const { return dpi_; }
    void adoptDpi() { dpi_ = readDpi_; }
    BarMetrics metrics() const { return BarMetrics{dpi_}; }

    // Fonts and images for the DPI, made anew only where they were made for another.
    void applyDpi(Font& normal, Font& bold, std::initializer_list<BitmapButton*> tiles, ToolTip& tips);
    // The tiles' images were just made at the DPI.
    void artMade() { artDpi_ = dpi_; }
    // Whether the page's buttons have the font of this DPI, and that they now do.
    bool pageFontStale() const { return pageFontDpi_ != dpi_; }
    void pageFontGiven() { pageFontDpi_ = dpi_; }

private:
    RECT edges_{};
    int width_ = 0;
    bool confined_ = false;
    int readDpi_ = kBaseDpi;
    int dpi_ = kBaseDpi;
    bool stale_ = true;
    UINT toldDpi_ = 0;
    int toldDpiMonitor_ = 0;
    int fontDpi_ = kBaseDpi;
    int pageFontDpi_ = kBaseDpi;
    int artDpi_ = kBaseDpi;
};

// The monitors in the user's count: the primary first (1), then the others in the system's order.
std::vector<HMONITOR> monitorsInOrder();

// The bar's font at a height (MS Gothic, Japanese character set).
HFONT makeBarFont(int weight, int height = kFontHeight);
