// Program icons on the launch buttons: each command's icon loaded once per DPI, and the ones the page shows.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "BarGeometry.h"
#include "framework/Handles.h"

class PageIcons {
public:
    using Commands = std::array<std::string, kMaxSlots>;
    using Slots = std::array<bool, kMaxSlots>;

    // The icons of the page's first count commands, from the cache at once; off, none.
    // Says which slots now show another icon, and whether a command not seen yet waits
    // for load (once nothing else waits: the page paints first).
    Slots request(const Commands& commands, int count, int dpi, bool on, bool& loadWanted);
    // Loads what request left missing; says which slots now show another icon.
    Slots load(const Commands& commands, int count, bool on);
    HICON slotIcon(int slot) const { return slot >= 0 && slot < kMaxSlots ? slots_[slot] : nullptr; }

private:
    // Each command's icon (or none), at one DPI; the page's are borrowed from it.
    std::vector<std::pair<std::string, Icon>> cache_;
    int dpi_ = 0;
    std::array<HICON, kMaxSlots> slots_{};
    bool loadPosted_ = false;
};

// A launch button drawn by the bar: the push button's frame and face, the icon, the name.
void drawLaunchButton(const DRAWITEMSTRUCT& item, HICON icon, const std::string& name, HFONT font, int dpi);
