// The auto-hide decision of one idle tick and the moves of the slide it starts.
#pragma once

#include <array>

// One step of a slide: the bar's top and its height; x and width never change.
struct SlideMove {
    int y;
    int height;
    constexpr bool operator==(const SlideMove&) const = default;
};

// Enough for any bar up to 33 pixels high; the bar is 19 (9 moves a slide).
constexpr int kMaxSlideMoves = 16;

struct AutoHideInput {
    int silent;
    int userHidden;
    bool iconic;
    int barShown;
    int menuPos; // nonzero: bottom edge
    int pointerY;
    int screenHeight;
    int barHeight;
    int silentSize;
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

    // 64-bit sums: SilentSize is whatever the profile holds.
    long long y = in.pointerY;
    long long sy = in.screenHeight;
    long long s = in.silentSize;
    long long h = in.barHeight;
    bool bottom = in.menuPos != 0;
    bool retract = in.barShown == 1 && (bottom ? y < sy - s - h : y > s + h);
    // A band that no pointer could enter (at the bottom y > sy - S needs S >= 2,
    // at the top y < S needs S >= 1) would leave a retracted bar there for good.
    long long band = bottom ? (s < 2 ? 2 : s) : (s < 1 ? 1 : s);
    bool slideOut = in.barShown == 0 && (bottom ? y > sy - band : y < band);
    if (!retract && !slideOut)
        return result;

    // The flag changes before the first move.
    result.barShown = retract ? 0 : 1;
    // 64-bit steps, and no more than the array holds: any height from the
    // profile or the system is safe, and a tick stays short.
    auto add = [&](long long height) {
        result.moves[result.count++] =
            SlideMove{static_cast<int>(bottom ? sy - height : 0), static_cast<int>(height)};
    };
    if (retract) {
        for (long long n = h - 1; n > 1 && result.count < kMaxSlideMoves; n -= 2)
            add(n);
    } else {
        for (long long i = 3; i < h + 1 && result.count < kMaxSlideMoves; i += 2)
            add(i);
    }
    return result;
}
