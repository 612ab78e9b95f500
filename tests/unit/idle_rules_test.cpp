// Which messages restart the loop's idle count, and the wait between ticks.
#include <gtest/gtest.h>

#include "framework/IdleRules.h"

namespace {

TEST(IdleRules, PaintAndSystemTimerNeverRestartTheCount)
{
    IdleTracker tracker;
    EXPECT_FALSE(tracker.restartsIdle(kMsgPaint, 0, 0));
    EXPECT_FALSE(tracker.restartsIdle(kMsgSysTimer, 0, 0));
    EXPECT_TRUE(tracker.restartsIdle(0x0113 /* WM_TIMER */, 0, 0));
    EXPECT_TRUE(tracker.restartsIdle(0x0111 /* WM_COMMAND */, 0, 0));
    EXPECT_TRUE(tracker.restartsIdle(0x0400, 0, 0));
}

TEST(IdleRules, OnlyAMouseMoveIdenticalToThePreviousOneIsIgnored)
{
    IdleTracker tracker;
    EXPECT_TRUE(tracker.restartsIdle(kMsgMouseMove, 5, 7));
    EXPECT_FALSE(tracker.restartsIdle(kMsgMouseMove, 5, 7));
    // Other messages in between do not make the next identical move new.
    EXPECT_TRUE(tracker.restartsIdle(0x0400, 0, 0));
    EXPECT_FALSE(tracker.restartsIdle(kMsgMouseMove, 5, 7));
    EXPECT_TRUE(tracker.restartsIdle(kMsgMouseMove, 6, 7));
    EXPECT_TRUE(tracker.restartsIdle(kMsgMouseMove, 6, 8));
    // Same point, other message number.
    EXPECT_TRUE(tracker.restartsIdle(kMsgNcMouseMove, 6, 8));
    EXPECT_FALSE(tracker.restartsIdle(kMsgNcMouseMove, 6, 8));
    EXPECT_TRUE(tracker.restartsIdle(kMsgMouseMove, 6, 8));
}

TEST(IdleRules, TheWaitIsShortWhileThePointerMovesAndGrowsWhileItStandsStill)
{
    EXPECT_EQ(nextTickWait(0, false), kTickWaitMoving);
    unsigned wait = kTickWaitMoving;
    unsigned previous = 0;
    while (wait != previous) {
        previous = wait;
        wait = nextTickWait(wait, false);
        EXPECT_GE(wait, previous);
        EXPECT_LE(wait, kTickWaitStill);
    }
    EXPECT_EQ(wait, kTickWaitStill);
    EXPECT_EQ(nextTickWait(kTickWaitStill, true), kTickWaitMoving);
}

} // namespace
