// The auto-hide decision of one idle tick and the moves of the slide it starts.
#pragma once

#include <array>

#include "BarGeometry.h"

// One step of a slide: the bar's top and its height; x and width never change.
struct SlideMove {
    int y;
    int height;
    constexpr bool operator==(const SlideMove&) const = default;
};

// Enough for any bar up to 33 pixels high at 96 DPI (19: 9 moves a slide).
constexpr int kMaxSlideMoves = 16;

struct AutoHideInput {
    int silent;
    int userHidden;
    bool iconic;
    int barShown;
    int menuPos; // nonzero: bottom edge
    int pointerY;
    int screenHeight; // the bottom edge
    int barHeight;    // at 96 DPI
    int silentSize;   // at 96 DPI
    int dpi = kBaseDpi;
    int screenTop = 0; // the top edge
    // On a monitor the user chose, the bands end at its edges: a pointer on
    // another monitor neither calls the bar nor keeps it out.
    bool confined = false;
    int screenLeft = 0;
    int screenRight = 0;
    int pointerX = 0;
    // A full-screen program is open: the bar does not come out over it.
    bool held = false;
};

// The new barShown and the slide's moves in order; a fixed array, so a tick allocates nothing.
struct AutoHideResult {
    int barShown;
    int count;
    std::array<SlideMove, kMaxSlideMoves> moves;
};

// False when the tick does nothing at all, before the pointer is even read.
constexpr bool autoHideWatches(int silent, int userHidden, bool iconic)
{
    return silent != 0 && userHidden == 0 && !iconic;
}

constexpr AutoHideResult autoHideStep(const AutoHideInput& in)
{
    AutoHideResult result{in.barShown, 0, {}};
    if (!autoHideWatches(in.silent, in.userHidden, in.iconic))
        return result;

    // 64-bit sums: SilentSize is whatever the profile holds. Every size scales with the DPI.
    long long y = in.pointerY;
    long long bottomEdge = in.screenHeight;
    long long topEdge = in.screenTop;
    long long s = scaledLong(in.silentSize, in.dpi);
    long long h = scaledLong(in.barHeight, in.dpi);
    bool bottom = in.menuPos != 0;
    bool onMonitor = !in.confined || (in.pointerX >= in.screenLeft && in.pointerX < in.screenRight &&
                                      y >= topEdge && y < bottomEdge);
    // A band that no pointer could enter (at the bottom y > sy - S needs S >= 2,
    // at the top y < S needs S >= 1) would leave a retracted bar there for good.
    long long band = bottom ? (s < 2 ? 2 : s) : (s < 1 ? 1 : s);
    bool retract = in.barShown == 1 && (!onMonitor || (bottom ? y < bottomEdge - s - h : y > topEdge + s + h));
    bool slideOut = in.barShown == 0 && !in.held && onMonitor &&
                    (bottom ? y > bottomEdge - band : y < topEdge + band);
    if (!retract && !slideOut)
        return result;

    // The flag changes before the first move.
    result.barShown = retract ? 0 : 1;
    // The 96-DPI heights, scaled: nine moves at any DPI for the 19-pixel bar,
    // ending on the strip and on the full bar. 64-bit steps, and no more than
    // the array holds: any height from the profile or the system is safe.
    auto add = [&](long long baseHeight) {
        long long height = scaledLong(baseHeight, in.dpi);
        result.moves[result.count++] =
            SlideMove{static_cast<int>(bottom ? bottomEdge - height : topEdge), static_cast<int>(height)};
    };
    long long base = in.barHeight;
    if (retract) {
        for (long long n = base - 1; n > 1 && result.count < kMaxSlideMoves; n -= 2)
            add(n);
    } else {
        for (long long i = 3; i < base + 1 && result.count < kMaxSlideMoves; i += 2)
            add(i);
    }
    return result;
}

// How far, in 96-DPI pixels, the pointer is from where the next tick would start
// a slide: the band for a retracted bar, the retract line for a shown one. A
// pointer on another monitor of a confined bar, or a held bar, is far.
constexpr long autoHideDistance(const AutoHideInput& in)
{
    constexpr long kFar = 1L << 20;
    if (!autoHideWatches(in.silent, in.userHidden, in.iconic))
        return kFar;
    long long y = in.pointerY;
    long long s = scaledLong(in.silentSize, in.dpi);
    long long h = scaledLong(in.barHeight, in.dpi);
    bool bottom = in.menuPos != 0;
    bool onMonitor = !in.confined || (in.pointerX >= in.screenLeft && in.pointerX < in.screenRight &&
                                      y >= in.screenTop && y < in.screenHeight);
    long long distance = 0;
    if (in.barShown == 0) {
        if (in.held || !onMonitor)
            return kFar;
        long long band = bottom ? (s < 2 ? 2 : s) : (s < 1 ? 1 : s);
        distance = bottom ? (in.screenHeight - band + 1) - y : y - (in.screenTop + band - 1);
    } else {
        if (!onMonitor)
            return 0;
        distance = bottom ? y - (in.screenHeight - s - h - 1) : (in.screenTop + s + h + 1) - y;
    }
    if (distance <= 0)
        return 0;
    long long base = distance * kBaseDpi / (in.dpi > 0 ? in.dpi : kBaseDpi);
    return base > kFar ? kFar : static_cast<long>(base);
}
