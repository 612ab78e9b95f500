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

TEST(IdleRules, TheWaitFollowsTheDistanceAHandCouldCoverAndGrowsWhileThePointerRests)
{
    struct Case {
        unsigned previous;
        bool moved;
        long distance;
        unsigned next;
    };
    const Case cases[] = {
        // Moving: as long as a hand needs to reach the band, 4 ms at least, a tenth of a second at most.
        {100, true, 0, 4},    {100, true, 9, 4},   {100, true, 60, 20},  {4, true, 150, 50},
        {4, true, 300, 100},  {4, true, 5000, 100},
        // Resting: the wait doubles, never below what the distance allows, never past 100 ms.
        {4, false, 0, 8},     {8, false, 0, 16},   {64, false, 0, 100},  {100, false, 0, 100},
        {4, false, 240, 80},  {0, false, 0, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nextTickWait(c.previous, IdleTickResult{c.moved, c.distance}), c.next)
            << c.previous << (c.moved ? " moved " : " still ") << c.distance;
}

} // namespace
