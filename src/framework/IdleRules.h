// The message loop's idle rules: which messages restart the idle count, and how long to wait between ticks.
#pragma once

// Messages that never restart the idle count, or only when they differ from the previous one.
constexpr unsigned kMsgPaint = 0x000F;
constexpr unsigned kMsgSysTimer = 0x0118;
constexpr unsigned kMsgMouseMove = 0x0200;
constexpr unsigned kMsgNcMouseMove = 0x00A0;

class IdleTracker {
public:
    // True when a dispatched message puts the loop back to idle count 0. A
    // mouse move at the same point with the same message number as the mouse
    // move before it does not, nor do paint and the system timer message.
    bool restartsIdle(unsigned message, long x, long y)
    {
        if (message == kMsgMouseMove || message == kMsgNcMouseMove) {
            bool same = message == lastMouseMessage_ && x == lastX_ && y == lastY_;
            lastMouseMessage_ = message;
            lastX_ = x;
            lastY_ = y;
            return !same;
        }
        return message != kMsgPaint && message != kMsgSysTimer;
    }

private:
    unsigned lastMouseMessage_ = 0;
    long lastX_ = 0;
    long lastY_ = 0;
};

// What a tick saw: whether the pointer moved, and how far (in 96-DPI pixels)
// it is from where the tick would act; unknown, it is taken as near.
struct IdleTickResult {
    bool moved = false;
    long distance = 0;
};

// The wait after a tick, in milliseconds. A hand moves the pointer a few
// pixels a millisecond at most, so a pointer far from the band cannot reach
// it before the next tick; near it, the ticks come fast. A pointer at rest
// lets the wait grow. Never longer than a tenth of a second: a pen or a
// finger puts the pointer anywhere at once.
constexpr unsigned kTickWaitNear = 4;
constexpr unsigned kTickWaitStill = 100;
constexpr long kHandPixelsPerMs = 3;

constexpr unsigned nextTickWait(unsigned previous, IdleTickResult tick)
{
    long reach = tick.distance > 0 ? tick.distance / kHandPixelsPerMs : 0;
    unsigned base = reach < static_cast<long>(kTickWaitNear) ? kTickWaitNear
                    : reach > static_cast<long>(kTickWaitStill) ? kTickWaitStill
                                                                  : static_cast<unsigned>(reach);
    if (tick.moved)
        return base;
    unsigned grown = (previous < kTickWaitNear ? kTickWaitNear : previous) * 2;
    if (grown > kTickWaitStill)
        grown = kTickWaitStill;
    return grown > base ? grown : base;
}
