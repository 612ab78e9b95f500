// Where the bar's controls stand, in client x coordinates, for a client width, a number of divisions and a DPI.
#pragma once

#include "framework/Dpi.h"

struct Span {
    int left;
    int right; // exclusive
    constexpr int width() const { return right - left; }
    constexpr bool operator==(const Span&) const = default;
};

// The bar holds at most this many launch buttons.
constexpr int kMaxSlots = 16;

// The sizes below are the 96-DPI ones; at another DPI each is scaled by DPI/96.
constexpr int kBarHeight = 19;
constexpr int kSysMenuWidth = 19;
constexpr int kTileWidth = 20;
constexpr int kHelpMinWidth = 20;
constexpr int kFontHeight = 12;

// The bar's sizes at one DPI.
struct BarMetrics {
    int dpi = kBaseDpi;
    constexpr int height() const { return scaled(kBarHeight, dpi); }
    constexpr int sysMenuWidth() const { return scaled(kSysMenuWidth, dpi); }
    constexpr int tileWidth() const { return scaled(kTileWidth, dpi); }
    constexpr int helpMinWidth() const { return scaled(kHelpMinWidth, dpi); }
    constexpr int fontHeight() const { return scaled(kFontHeight, dpi); }
    // SYSMENU, the four tiles on the right and the help button's least width.
    constexpr int fixedWidth() const { return sysMenuWidth() + 4 * tileWidth() + helpMinWidth(); }
};

// The division's remainder goes to the help button, so nothing is left uncovered.
constexpr int slotWidth(int clientWidth, int divisions, BarMetrics m = {})
{
    return (clientWidth - m.fixedWidth()) / divisions;
}

constexpr Span sysMenuSpan(BarMetrics m = {})
{
    return {0, m.sysMenuWidth()};
}

constexpr Span launchSlotSpan(int clientWidth, int divisions, int slot, BarMetrics m = {})
{
    int u = slotWidth(clientWidth, divisions, m);
    return {m.sysMenuWidth() + slot * u, m.sysMenuWidth() + (slot + 1) * u};
}

constexpr Span helpSpan(int clientWidth, int divisions, BarMetrics m = {})
{
    return {m.sysMenuWidth() + divisions * slotWidth(clientWidth, divisions, m), clientWidth - 4 * m.tileWidth()};
}

// The four tiles from the right edge: ICON 0, CHANGE 1, NEXT 2, BEFORE 3.
constexpr Span tileSpan(int clientWidth, int fromRight, BarMetrics m = {})
{
    return {clientWidth - (fromRight + 1) * m.tileWidth(), clientWidth - fromRight * m.tileWidth()};
}
