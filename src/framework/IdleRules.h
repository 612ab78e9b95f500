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

// The wait after a tick, in milliseconds: short while the pointer moves, so
// auto-hide follows it, growing while it stands still, so an idle bar costs
// next to nothing.
constexpr unsigned kTickWaitMoving = 10;
constexpr unsigned kTickWaitStill = 100;

constexpr unsigned nextTickWait(unsigned previous, bool pointerMoved)
{
    if (pointerMoved || previous < kTickWaitMoving)
        return kTickWaitMoving;
    return previous * 2 > kTickWaitStill ? kTickWaitStill : previous * 2;
}
