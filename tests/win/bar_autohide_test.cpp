// Auto-hide of a real bar: the pointer put on each boundary row, ticks sent, the window's rectangle read.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "bar/BarIds.h"
#include "bar/LauncherBar.h"
#include "support.h"

namespace {

struct Move {
    int y;
    int height;
    UINT flags;
    HWND insertAfter;
};

std::vector<Move> recordedMoves;
std::vector<DWORD> appBarMessages;

UINT_PTR WINAPI recordAppBarMessage(DWORD message, APPBARDATA* data)
{
    appBarMessages.push_back(message);
    return lateBound::shAppBarMessage(message, data);
}

// Sees every move the bar asks for, with the arguments it passed.
LRESULT CALLBACK recordMoves(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_WINDOWPOSCHANGING) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOSIZE))
            recordedMoves.push_back({pos->y, pos->cy, pos->flags, pos->hwndInsertAfter});
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

class AutoHideBar : public BarTest {
protected:
    void TearDown() override
    {
        if (barWindow)
            RemoveWindowSubclass(barWindow, recordMoves, 0);
        BarTest::TearDown();
        barSystemCalls = BarSystemCalls{};
    }
    void open(const std::string& ini)
    {
        BarTest::open(ini);
        SetWindowSubclass(barWindow, recordMoves, 0, 0);
        recordedMoves.clear();
    }
    // The pointer on a row (x anywhere), one tick, the bar's rectangle after it.
    RECT tickAt(int y, int x = 300)
    {
        SetCursorPos(x, y);
        recordedMoves.clear();
        SendMessageA(bar->hwnd(), WM_BAR_IDLE_TICK, 0, 0);
        RECT r{};
        GetWindowRect(bar->hwnd(), &r);
        return r;
    }
    int sy = GetSystemMetrics(SM_CYSCREEN);
    int width = GetSystemMetrics(SM_CXFULLSCREEN);
};

std::string show(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

#define EXPECT_RECT(r, l, t, rt, b) EXPECT_EQ(show(r), show(RECT{l, t, rt, b}))

TEST_F(AutoHideBar, BottomEdgeRetractsAndSlidesOutAtItsBoundaryRows)
{
    open("[Env]\r\nSilent=1\r\n");
    EXPECT_RECT(tickAt(sy - 29), 0, sy - 19, width, sy);
    EXPECT_EQ(bar->barShown, 1);
    EXPECT_TRUE(recordedMoves.empty());

    EXPECT_RECT(tickAt(sy - 30), 0, sy - 2, width, sy);
    EXPECT_EQ(bar->barShown, 0);
    // Nine moves anchored at the bottom row, each showing, not activating, topmost.
    ASSERT_EQ(recordedMoves.size(), 9u);
    int height = 18;
    for (const Move& move : recordedMoves) {
        EXPECT_EQ(move.height, height);
        EXPECT_EQ(move.y, sy - height);
        EXPECT_EQ(move.flags & (SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE),
                  static_cast<UINT>(SWP_NOACTIVATE | SWP_SHOWWINDOW));
        EXPECT_EQ(move.insertAfter, HWND_TOPMOST);
        height -= 2;
    }

    EXPECT_RECT(tickAt(sy - 10), 0, sy - 2, width, sy);
    EXPECT_EQ(bar->barShown, 0);
    // The horizontal position plays no part: the far right calls it back too.
    EXPECT_RECT(tickAt(sy - 9, width - 1), 0, sy - 19, width, sy);
    EXPECT_EQ(bar->barShown, 1);
    ASSERT_EQ(recordedMoves.size(), 9u);
    EXPECT_EQ(recordedMoves.front().height, 3);
    EXPECT_EQ(recordedMoves.front().y, sy - 3);
    EXPECT_EQ(recordedMoves.back().height, 19);
}

TEST_F(AutoHideBar, TopEdgeRetractsAndSlidesOutAtItsBoundaryRows)
{
    // Not topmost: every move applies the insert-after rule again.
    open("[Env]\r\nSilent=1\r\nMenuPos=0\r\nOverTop=0\r\n");
    EXPECT_RECT(tickAt(29), 0, 0, width, 19);
    EXPECT_RECT(tickAt(30), 0, 0, width, 2);
    ASSERT_EQ(recordedMoves.size(), 9u);
    for (const Move& move : recordedMoves) {
        EXPECT_EQ(move.y, 0);
        EXPECT_EQ(move.insertAfter, HWND_NOTOPMOST);
    }
    EXPECT_EQ(recordedMoves.back().height, 2);
    EXPECT_RECT(tickAt(10), 0, 0, width, 2);
    EXPECT_RECT(tickAt(9), 0, 0, width, 19);
    EXPECT_EQ(GetWindowLongA(bar->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    // A change of OverTop takes effect with the next move.
    bar->OverTop = 1;
    EXPECT_RECT(tickAt(200), 0, 0, width, 2);
    EXPECT_NE(GetWindowLongA(bar->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(AutoHideBar, NothingMovesWhenOffUserHiddenOrMinimised)
{
    open("[Env]\r\nSilent=0\r\n");
    EXPECT_RECT(tickAt(0), 0, sy - 19, width, sy);
    EXPECT_EQ(bar->barShown, 1);
    DestroyWindow(bar->hwnd());

    bar = nullptr;
    open("[Env]\r\nSilent=1\r\n");
    bar->userHidden = 1;
    EXPECT_RECT(tickAt(0), 0, sy - 19, width, sy);
    EXPECT_EQ(bar->barShown, 1);
    bar->userHidden = 0;

    ShowWindow(bar->hwnd(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(bar->hwnd()));
    tickAt(0);
    EXPECT_TRUE(recordedMoves.empty());
    EXPECT_TRUE(IsIconic(bar->hwnd()));
    EXPECT_EQ(bar->barShown, 1);
    ShowWindow(bar->hwnd(), SW_RESTORE);
    EXPECT_RECT(tickAt(0), 0, sy - 2, width, sy);

    // A retracted bar keeps its state while the user has it hidden.
    bar->userHidden = 1;
    tickAt(sy - 1);
    EXPECT_TRUE(recordedMoves.empty());
    EXPECT_EQ(bar->barShown, 0);
}

TEST_F(AutoHideBar, ARelayoutBringsARetractedBarBackAndABandBelowTwoStillCallsIt)
{
    // A hand-edited band of 1 or less would leave the strip stuck; it is taken as 2.
    for (const char* band : {"1", "0", "-5"}) {
        open(std::string("[Env]\r\nSilent=1\r\nSilentSize=") + band + "\r\n");
        EXPECT_RECT(tickAt(sy - 40), 0, sy - 2, width, sy) << band;
        EXPECT_RECT(tickAt(sy - 2), 0, sy - 2, width, sy) << band;
        EXPECT_RECT(tickAt(sy - 1), 0, sy - 19, width, sy) << band;
        closeBar();
        open(std::string("[Env]\r\nMenuPos=0\r\nSilent=1\r\nSilentSize=") + band + "\r\n");
        EXPECT_RECT(tickAt(40), 0, 0, width, 2) << band;
        EXPECT_RECT(tickAt(2), 0, 0, width, 2) << band;
        EXPECT_RECT(tickAt(0), 0, 0, width, 19) << band;
        closeBar();
    }
    open("[Env]\r\nSilent=1\r\n");
    EXPECT_RECT(tickAt(sy - 40), 0, sy - 2, width, sy);
    EXPECT_EQ(bar->barShown, 0);
    // CHANGE relayouts at the other edge at full height.
    SendMessageA(bar->hwnd(), WM_COMMAND, MAKEWPARAM(kIdChange, BN_CLICKED), 0);
    RECT r{};
    GetWindowRect(bar->hwnd(), &r);
    EXPECT_RECT(r, 0, 0, width, 19);
    EXPECT_EQ(bar->barShown, 1);
}

} // namespace

namespace {

TEST_F(AutoHideBar, TheBandWindowBringsTheBarOutAndNoTickRunsWhileThePointerRests)
{
    barSystemCalls.appBarMessage = recordAppBarMessage;
    open("[Env]\r\nSilent=1\r\n");
    EXPECT_RECT(tickAt(sy - 40), 0, sy - 2, width, sy);
    pumpMessages(100);
    // In, with the pointer resting far from the band: nothing needs reading it.
    EXPECT_FALSE(bar->needsTicks());
    HWND band = FindWindowA("ZelPointerBand", nullptr);
    ASSERT_NE(band, nullptr);
    EXPECT_TRUE(IsWindowVisible(band));
    RECT r{};
    GetWindowRect(band, &r);
    // The rows that call the bar back (y > sy - 10), over the whole edge.
    EXPECT_RECT(r, 0, sy - 9, width, sy);
    // The real pointer into the band: the bar comes out, with no tick sent, and the shell
    // hears of its place once, not at each of the nine moves.
    appBarMessages.clear();
    recordedMoves.clear();
    SetCursorPos(300, sy - 5);
    for (int i = 0; i < 100 && bar->barShown == 0; ++i)
        pumpMessages(20);
    EXPECT_EQ(bar->barShown, 1);
    GetWindowRect(bar->hwnd(), &r);
    EXPECT_RECT(r, 0, sy - 19, width, sy);
    EXPECT_EQ(recordedMoves.size(), 9u);
    EXPECT_EQ(std::count(appBarMessages.begin(), appBarMessages.end(), ABM_WINDOWPOSCHANGED), 1);
    EXPECT_FALSE(IsWindowVisible(band));
    // Not topmost, no window of the bar can lie on the edge: the ticks read the pointer.
    bar->OverTop = 0;
    EXPECT_TRUE(bar->needsTicks());
}

TEST_F(AutoHideBar, AFullScreenProgramOnItsMonitorTakesTheBarOutOfTheTopmostBandAndHoldsItIn)
{
    // The shell tells every application bar; Wine never does, so the test does. A profile
    // without AppBar registers all the same, to hear it.
    open("[Env]\r\nSilent=1\r\n");
    auto topmost = [&] { return (GetWindowLongA(bar->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_TRUE(topmost());
    EXPECT_RECT(tickAt(sy - 40), 0, sy - 2, width, sy);
    // A program in front that does not fill the bar's monitor (one full screen on another
    // monitor): the bar stays where it is.
    HWND program = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr,
                                   nullptr, nullptr);
    SetForegroundWindow(program);
    SendMessageA(bar->hwnd(), WM_BAR_APPBAR, ABN_FULLSCREENAPP, TRUE);
    EXPECT_TRUE(topmost());
    // Full screen on the bar's monitor: out of the topmost band, and held in.
    SetWindowPos(program, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), sy, SWP_NOZORDER);
    SendMessageA(bar->hwnd(), WM_BAR_APPBAR, ABN_FULLSCREENAPP, TRUE);
    EXPECT_FALSE(topmost());
    EXPECT_RECT(tickAt(sy - 1), 0, sy - 2, width, sy);
    EXPECT_FALSE(topmost());
    SendMessageA(bar->hwnd(), WM_BAR_APPBAR, ABN_FULLSCREENAPP, FALSE);
    EXPECT_TRUE(topmost());
    EXPECT_RECT(tickAt(sy - 1), 0, sy - 19, width, sy);
    EXPECT_TRUE(topmost());
    DestroyWindow(program);
}

} // namespace
