// The auto-hide decision at every boundary of its bands, at both edges, and the slides' moves.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "bar/AutoHide.h"

namespace {

constexpr int kSy = 768;
constexpr int kBottom = 1;
constexpr int kTop = 0;

AutoHideResult tick(int menuPos, int shown, int y, int silentSize = 10, int silent = 1, int userHidden = 0,
                    bool iconic = false)
{
    return autoHideStep(AutoHideInput{silent, userHidden, iconic, shown, menuPos, y, kSy, 19, silentSize});
}

std::vector<SlideMove> moves(const AutoHideResult& r)
{
    return std::vector<SlideMove>(r.moves.begin(), r.moves.begin() + r.count);
}

const std::vector<int> kRetractHeights{18, 16, 14, 12, 10, 8, 6, 4, 2};
const std::vector<int> kSlideOutHeights{3, 5, 7, 9, 11, 13, 15, 17, 19};

std::vector<SlideMove> anchored(const std::vector<int>& heights, int menuPos)
{
    std::vector<SlideMove> out;
    for (int h : heights)
        out.push_back({menuPos ? kSy - h : 0, h});
    return out;
}

bool stays(const AutoHideResult& r, int shown)
{
    return r.count == 0 && r.barShown == shown;
}

TEST(AutoHide, BottomEdgeWithTheDefaultBand)
{
    // Full bar: stands at sy - 29, retracts from sy - 30 on.
    EXPECT_TRUE(stays(tick(kBottom, 1, kSy - 29), 1));
    EXPECT_TRUE(stays(tick(kBottom, 1, kSy - 1), 1));
    AutoHideResult r = tick(kBottom, 1, kSy - 30);
    EXPECT_EQ(r.barShown, 0);
    EXPECT_EQ(moves(r), anchored(kRetractHeights, kBottom));
    EXPECT_EQ(moves(tick(kBottom, 1, 0)), anchored(kRetractHeights, kBottom));
    // Strip: stays at sy - 10, slides out from sy - 9 on (the lowest 9 rows).
    EXPECT_TRUE(stays(tick(kBottom, 0, kSy - 10), 0));
    EXPECT_TRUE(stays(tick(kBottom, 0, 0), 0));
    r = tick(kBottom, 0, kSy - 9);
    EXPECT_EQ(r.barShown, 1);
    EXPECT_EQ(moves(r), anchored(kSlideOutHeights, kBottom));
    EXPECT_EQ(moves(tick(kBottom, 0, kSy - 1)), anchored(kSlideOutHeights, kBottom));
    // The last move leaves the bar on the bottom rows.
    EXPECT_EQ(moves(r).back(), (SlideMove{kSy - 19, 19}));
    EXPECT_EQ(moves(tick(kBottom, 1, 5)).back(), (SlideMove{kSy - 2, 2}));
}

TEST(AutoHide, TopEdgeWithTheDefaultBand)
{
    EXPECT_TRUE(stays(tick(kTop, 1, 29), 1));
    EXPECT_TRUE(stays(tick(kTop, 1, 0), 1));
    AutoHideResult r = tick(kTop, 1, 30);
    EXPECT_EQ(r.barShown, 0);
    EXPECT_EQ(moves(r), anchored(kRetractHeights, kTop));
    EXPECT_EQ(moves(tick(kTop, 1, kSy - 1)), anchored(kRetractHeights, kTop));

    EXPECT_TRUE(stays(tick(kTop, 0, 10), 0));
    EXPECT_TRUE(stays(tick(kTop, 0, kSy - 1), 0));
    r = tick(kTop, 0, 9);
    EXPECT_EQ(r.barShown, 1);
    EXPECT_EQ(moves(r), anchored(kSlideOutHeights, kTop));
    EXPECT_EQ(moves(tick(kTop, 0, 0)), anchored(kSlideOutHeights, kTop));
}

TEST(AutoHide, NarrowEmptyAndNegativeBands)
{
    // A band no pointer could enter is floored to the edge row (2 at the bottom,
    // where y > sy - S, 1 at the top); the retract line keeps the stored value.
    for (int s : {1, 0, -5}) {
        EXPECT_EQ(tick(kBottom, 0, kSy - 1, s).barShown, 1) << s;
        EXPECT_TRUE(stays(tick(kBottom, 0, kSy - 2, s), 0)) << s;
        EXPECT_EQ(tick(kTop, 0, 0, s).barShown, 1) << s;
        EXPECT_TRUE(stays(tick(kTop, 0, 1, s), 0)) << s;
    }
    EXPECT_TRUE(stays(tick(kBottom, 1, kSy - 20, 1), 1));
    EXPECT_EQ(tick(kBottom, 1, kSy - 21, 1).barShown, 0);
    EXPECT_TRUE(stays(tick(kTop, 1, 20, 1), 1));
    EXPECT_EQ(tick(kTop, 1, 21, 1).barShown, 0);
    EXPECT_TRUE(stays(tick(kBottom, 1, kSy - 19, 0), 1));
    EXPECT_EQ(tick(kBottom, 1, kSy - 20, 0).barShown, 0);
    EXPECT_TRUE(stays(tick(kTop, 1, 19, 0), 1));
    EXPECT_EQ(tick(kTop, 1, 20, 0).barShown, 0);
    EXPECT_TRUE(stays(tick(kBottom, 1, kSy - 14, -5), 1));
    EXPECT_EQ(tick(kBottom, 1, kSy - 15, -5).barShown, 0);
    EXPECT_TRUE(stays(tick(kTop, 1, 14, -5), 1));
    EXPECT_EQ(tick(kTop, 1, 15, -5).barShown, 0);

    // Extreme profile values neither overflow nor leave the bar out of reach.
    EXPECT_EQ(tick(kBottom, 0, kSy - 1, INT_MIN).barShown, 1);
    EXPECT_TRUE(stays(tick(kBottom, 0, kSy - 2, INT_MIN), 0));
    EXPECT_EQ(tick(kTop, 0, 0, INT_MIN).barShown, 1);
    EXPECT_TRUE(stays(tick(kBottom, 1, 0, INT_MAX), 1));
    EXPECT_TRUE(stays(tick(kTop, 1, kSy - 1, INT_MAX), 1));
    EXPECT_EQ(tick(kTop, 0, kSy - 1, INT_MAX).barShown, 1);
}

TEST(AutoHide, OffUserHiddenOrMinimisedDoesNothing)
{
    // Pointers that would start a slide in each state.
    for (int silent : {0, 1}) {
        for (int hidden : {0, 1}) {
            for (bool iconic : {false, true}) {
                bool active = silent && !hidden && !iconic;
                EXPECT_EQ(autoHideWatches(silent, hidden, iconic), active);
                AutoHideResult out = tick(kBottom, 1, 0, 10, silent, hidden, iconic);
                AutoHideResult in = tick(kTop, 0, 0, 10, silent, hidden, iconic);
                EXPECT_EQ(out.count, active ? 9 : 0);
                EXPECT_EQ(out.barShown, active ? 0 : 1);
                EXPECT_EQ(in.count, active ? 9 : 0);
                EXPECT_EQ(in.barShown, active ? 1 : 0);
            }
        }
    }
    // Any nonzero Silent turns it on.
    EXPECT_EQ(tick(kBottom, 1, 0, 10, -3).barShown, 0);
}

} // namespace

TEST(AutoHide, AtAnotherDpiTheBandsAndTheNineMovesScale)
{
    // 144 DPI: a 29-pixel bar, a 15-pixel band (10 scaled), a 3-pixel strip.
    auto at144 = [](int menuPos, int shown, int y) {
        AutoHideInput in{1, 0, false, shown, menuPos, y, kSy, 19, 10};
        in.dpi = 144;
        return autoHideStep(in);
    };
    const std::vector<int> retract{27, 24, 21, 18, 15, 12, 9, 6, 3};
    const std::vector<int> slideOut{5, 8, 11, 14, 17, 20, 23, 26, 29};
    EXPECT_TRUE(stays(at144(kBottom, 1, kSy - 44), 1));
    EXPECT_EQ(moves(at144(kBottom, 1, kSy - 45)), anchored(retract, kBottom));
    EXPECT_TRUE(stays(at144(kBottom, 0, kSy - 15), 0));
    EXPECT_EQ(moves(at144(kBottom, 0, kSy - 14)), anchored(slideOut, kBottom));
    EXPECT_TRUE(stays(at144(kTop, 0, 15), 0));
    EXPECT_EQ(moves(at144(kTop, 0, 14)), anchored(slideOut, kTop));
}

TEST(AutoHide, OnAChosenMonitorOnlyItsEdgeCallsAndAFullScreenProgramHoldsTheBarIn)
{
    // A second monitor 800x600 at (1024, 100); the bar docked at its bottom edge.
    auto on = [](int shown, int x, int y, bool held = false) {
        AutoHideInput in{1, 0, false, shown, kBottom, y, 700, 19, 10};
        in.screenTop = 100;
        in.confined = true;
        in.screenLeft = 1024;
        in.screenRight = 1824;
        in.pointerX = x;
        in.held = held;
        return autoHideStep(in);
    };
    EXPECT_EQ(on(0, 1500, 699).barShown, 1);
    EXPECT_EQ(on(0, 1500, 699).moves[0], (SlideMove{697, 3}));
    // The same height on the first monitor, or below the edge on a monitor under it: no call.
    EXPECT_TRUE(stays(on(0, 500, 699), 0));
    EXPECT_TRUE(stays(on(0, 1500, 700), 0));
    // A shown bar goes in when the pointer leaves its monitor, whatever the height.
    EXPECT_TRUE(stays(on(1, 1500, 690), 1));
    EXPECT_EQ(on(1, 500, 690).barShown, 0);
    // While a full-screen program is open the bar stays in; it may still go in.
    EXPECT_TRUE(stays(on(0, 1500, 699, true), 0));
    EXPECT_EQ(on(1, 1500, 300, true).barShown, 0);
    // Unconfined (the primary monitor, as the bar always measured it): x plays no part.
    AutoHideInput classic{1, 0, false, 0, kBottom, kSy - 1, kSy, 19, 10};
    classic.pointerX = -5000;
    EXPECT_EQ(autoHideStep(classic).barShown, 1);
}

TEST(AutoHide, TheDistanceToWhereTheNextSlideWouldStart)
{
    auto distance = [](int menuPos, int shown, int y, int dpi = 96) {
        AutoHideInput in{1, 0, false, shown, menuPos, y, kSy, 19, 10};
        in.dpi = dpi;
        return autoHideDistance(in);
    };
    // Retracted at the bottom: the band begins at sy - 9; at the top it ends at row 9.
    EXPECT_EQ(distance(kBottom, 0, kSy - 9), 0);
    EXPECT_EQ(distance(kBottom, 0, kSy - 109), 100);
    EXPECT_EQ(distance(kTop, 0, 9), 0);
    EXPECT_EQ(distance(kTop, 0, 109), 100);
    // Shown: the retract line is sy - 30 at the bottom, row 30 at the top.
    EXPECT_EQ(distance(kBottom, 1, kSy - 30), 0);
    EXPECT_EQ(distance(kBottom, 1, kSy - 1), 29);
    EXPECT_EQ(distance(kTop, 1, 0), 30);
    // At 192 DPI a pixel is half as far for a hand.
    EXPECT_EQ(distance(kBottom, 0, kSy - 219, 192), 100);
}
