// The bar's control spans for every width and number of divisions.
#include <gtest/gtest.h>

#include "bar/BarGeometry.h"

namespace {

struct Example {
    int width, divisions, slot, slotsEnd, helpLeft, helpWidth;
};

TEST(BarGeometry, MatchesTheExampleTable)
{
    const Example examples[] = {
        {640, 8, 65, 539, 539, 21},   {640, 16, 32, 531, 531, 29}, {800, 8, 85, 699, 699, 21},
        {1024, 1, 905, 924, 924, 20}, {1024, 16, 56, 915, 915, 29},
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(testing::Message() << "W=" << e.width << " n=" << e.divisions);
        EXPECT_EQ(slotWidth(e.width, e.divisions), e.slot);
        EXPECT_EQ(launchSlotSpan(e.width, e.divisions, 0).left, 19);
        EXPECT_EQ(launchSlotSpan(e.width, e.divisions, e.divisions - 1).right, e.slotsEnd);
        EXPECT_EQ(helpSpan(e.width, e.divisions), (Span{e.helpLeft, e.width - 80}));
        EXPECT_EQ(helpSpan(e.width, e.divisions).width(), e.helpWidth);
    }
}

TEST(BarGeometry, CoversTheWholeWidthWithoutGapOrOverlap)
{
    for (int width : {640, 800, 1024, 1280}) {
        for (int n = 1; n <= 16; ++n) {
            SCOPED_TRACE(testing::Message() << "W=" << width << " n=" << n);
            // Left to right: SYSMENU, the slots, help, BEFORE, NEXT, CHANGE, ICON.
            std::vector<Span> spans{sysMenuSpan()};
            for (int i = 0; i < n; ++i)
                spans.push_back(launchSlotSpan(width, n, i));
            spans.push_back(helpSpan(width, n));
            for (int fromRight = 3; fromRight >= 0; --fromRight)
                spans.push_back(tileSpan(width, fromRight));

            EXPECT_EQ(spans.front().left, 0);
            EXPECT_EQ(spans.back().right, width);
            for (std::size_t i = 1; i < spans.size(); ++i)
                EXPECT_EQ(spans[i].left, spans[i - 1].right) << "span " << i;
            for (int i = 0; i < n; ++i)
                EXPECT_EQ(launchSlotSpan(width, n, i).width(), (width - 119) / n);
            EXPECT_GE(helpSpan(width, n).width(), 20);
            EXPECT_LT(helpSpan(width, n).width(), 20 + n);
            EXPECT_EQ(tileSpan(width, 3), (Span{width - 80, width - 60}));
            EXPECT_EQ(tileSpan(width, 0), (Span{width - 20, width}));
        }
    }
}

} // namespace
