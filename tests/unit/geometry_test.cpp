// The bar's control spans for every width and number of divisions.
#include <gtest/gtest.h>

#include "bar/BarGeometry.h"

namespace {

struct Example {
    int width, divisions, slot, slotsEnd, helpLeft, helpWidth, dpi = 96;
};

TEST(BarGeometry, MatchesTheExampleTableAtEachDpi)
{
    const Example examples[] = {
        {640, 8, 65, 539, 539, 21},   {640, 16, 32, 531, 531, 29}, {800, 8, 85, 699, 699, 21},
        {1024, 1, 905, 924, 924, 20}, {1024, 16, 56, 915, 915, 29},
        // 120, 144 and 192 DPI: SYSMENU 24, 29 and 38 wide, tiles and the help button's least 25, 30, 40.
        {1024, 8, 109, 896, 896, 28, 120}, {1024, 8, 105, 869, 869, 35, 144}, {1024, 8, 98, 822, 822, 42, 192},
        {1536, 16, 84, 1373, 1373, 43, 144},
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(testing::Message() << "W=" << e.width << " n=" << e.divisions << " dpi=" << e.dpi);
        BarMetrics m{e.dpi};
        int tile = e.dpi == 96 ? 20 : e.dpi == 120 ? 25 : e.dpi == 144 ? 30 : 40;
        EXPECT_EQ(slotWidth(e.width, e.divisions, m), e.slot);
        EXPECT_EQ(launchSlotSpan(e.width, e.divisions, 0, m).left, sysMenuSpan(m).right);
        EXPECT_EQ(launchSlotSpan(e.width, e.divisions, e.divisions - 1, m).right, e.slotsEnd);
        EXPECT_EQ(helpSpan(e.width, e.divisions, m), (Span{e.helpLeft, e.width - 4 * tile}));
        EXPECT_EQ(helpSpan(e.width, e.divisions, m).width(), e.helpWidth);
        EXPECT_EQ(tileSpan(e.width, 0, m), (Span{e.width - tile, e.width}));
    }
    // Heights, fonts and the SYSMENU width, from the 96-DPI 19, 12 and 19.
    const int heights[][4] = {{96, 19, 12, 19}, {120, 24, 15, 24}, {144, 29, 18, 29}, {192, 38, 24, 38}};
    for (const auto& row : heights) {
        BarMetrics m{row[0]};
        EXPECT_EQ(m.height(), row[1]) << row[0];
        EXPECT_EQ(m.fontHeight(), row[2]) << row[0];
        EXPECT_EQ(sysMenuSpan(m).right, row[3]) << row[0];
    }
}

TEST(BarGeometry, CoversTheWholeWidthWithoutGapOrOverlap)
{
    for (int dpi : {96, 120, 144, 192}) {
        for (int width : {640, 800, 1024, 1280}) {
            SCOPED_TRACE(testing::Message() << "W=" << width << " dpi=" << dpi);
            BarMetrics m{dpi};
            for (int n = 1; n <= 16; ++n) {
                std::vector<Span> spans{sysMenuSpan(m)};
                for (int i = 0; i < n; ++i)
                    spans.push_back(launchSlotSpan(width, n, i, m));
                spans.push_back(helpSpan(width, n, m));
                for (int fromRight = 3; fromRight >= 0; --fromRight)
                    spans.push_back(tileSpan(width, fromRight, m));
                EXPECT_EQ(spans.back().right, width);
                for (std::size_t i = 1; i < spans.size(); ++i)
                    EXPECT_EQ(spans[i].left, spans[i - 1].right) << "n " << n << " span " << i;
                EXPECT_GE(helpSpan(width, n, m).width(), m.helpMinWidth());
            }
        }
    }
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
