// Where the bar's controls stand, in client x coordinates, for a client width and a number of divisions.
#pragma once

struct Span {
    int left;
    int right; // exclusive
    constexpr int width() const { return right - left; }
    constexpr bool operator==(const Span&) const = default;
};

constexpr int kBarHeight = 19;
constexpr int kSysMenuWidth = 19;
constexpr int kTileWidth = 20;
// SYSMENU, the four tiles on the right and the help button's least width.
constexpr int kFixedWidth = kSysMenuWidth + 4 * kTileWidth + 20;

// The division's remainder goes to the help button, so nothing is left uncovered.
constexpr int slotWidth(int clientWidth, int divisions)
{
    return (clientWidth - kFixedWidth) / divisions;
}

constexpr Span sysMenuSpan() { return {0, kSysMenuWidth}; }

constexpr Span launchSlotSpan(int clientWidth, int divisions, int slot)
{
    int u = slotWidth(clientWidth, divisions);
    return {kSysMenuWidth + slot * u, kSysMenuWidth + (slot + 1) * u};
}

constexpr Span helpSpan(int clientWidth, int divisions)
{
    return {kSysMenuWidth + divisions * slotWidth(clientWidth, divisions), clientWidth - 4 * kTileWidth};
}

// The four tiles from the right edge: ICON 0, CHANGE 1, NEXT 2, BEFORE 3.
constexpr Span tileSpan(int clientWidth, int fromRight)
{
    return {clientWidth - (fromRight + 1) * kTileWidth, clientWidth - fromRight * kTileWidth};
}
