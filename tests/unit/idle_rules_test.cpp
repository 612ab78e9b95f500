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
    struct Case {
        unsigned previous;
        bool moved;
        unsigned next;
    };
    const Case cases[] = {
        {0, false, 10},  {5, false, 10},  {10, false, 20},  {20, false, 40},   {40, false, 80},
        {80, false, 100}, {100, false, 100}, {100, true, 10}, {40, true, 10}, {10, true, 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nextTickWait(c.previous, c.moved), c.next) << c.previous << (c.moved ? " moved" : " still");
}

} // namespace
