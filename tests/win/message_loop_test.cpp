// The real message loop: idle calls, ticks only while the bar needs them, one pointer read a tick.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "bar/BarIds.h"
#include "support.h"

namespace {

std::string events;
std::atomic<int> ticks{0};
std::atomic<int> idlePasses{0};
std::atomic<int> pointerReads{0};
POINT fakePointer{};
constexpr UINT kPosted = WM_APP + 1;

void note(const std::string& event)
{
    events += event + " ";
}

void recordIdle(long count)
{
    ++idlePasses;
    note("i" + std::to_string(count));
}

// The pointer the bar's ticks see, counted; on the bar's own row it moves nothing.
BOOL WINAPI countedCursorPos(LPPOINT point)
{
    ++pointerReads;
    *point = fakePointer;
    return TRUE;
}

LRESULT CALLBACK noteMoves(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE) {
        note("M");
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A window of the test program besides the bar, which notes the mouse moves it gets.
HWND otherWindow()
{
    static HWND window = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = noteMoves;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZelTestOther";
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, "ZelTestOther", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    }();
    return window;
}

// A real bar that records its ticks and the messages the tick rules care about.
class RecordingBar : public LauncherBar {
public:
    // Called after each tick with its number; may destroy the bar as its last act.
    std::function<void(HWND, int)> afterTick;

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_BAR_IDLE_TICK: {
            note("T");
            LRESULT moved = LauncherBar::windowProc(message, wParam, lParam);
            int tick = ++ticks;
            if (afterTick)
                afterTick(hwnd(), tick);
            return moved;
        }
        case kPosted:
            note("A");
            return 0;
        case WM_PAINT:
            note("P");
            break;
        case 0x0118:
            note("S");
            return 0;
        case WM_MOUSEMOVE:
            note("M");
            return 0;
        }
        return LauncherBar::windowProc(message, wParam, lParam);
    }
};

class MessageLoop : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = barSystemCalls;
        barSystemCalls.cursorPos = countedCursorPos;
        fakePointer = POINT{300, GetSystemMetrics(SM_CYSCREEN) - 1};
        // The real pointer away from the bar: over it, the bar's own windows would say where it is.
        SetCursorPos(300, 200);
        events.clear();
        ticks = 0;
        pointerReads = 0;
    }
    void TearDown() override
    {
        testApp().idleHook = nullptr;
        if (IsWindow(barWindow)) {
            testApp().setMainWindow(nullptr);
            DestroyWindow(barWindow);
        }
        barSystemCalls = saved_;
        removeFile(ownIniPath());
    }
    // A bar docked at the bottom, as the main window, its start-up messages handled.
    RecordingBar& open(const std::string& env)
    {
        putFile(ownIniPath(), "[Env]\r\n" + env + "\r\nMenuPos=1\r\n");
        auto* bar = new RecordingBar();
        barWindow = bar->hwnd();
        pumpMessages(50);
        return *bar;
    }
    // Runs the loop with idle calls recorded from the first pass on.
    int runLoop(LauncherBar& bar)
    {
        testApp().setMainWindow(&bar);
        events.clear();
        ticks = 0;
        idlePasses = 0;
        pointerReads = 0;
        testApp().idleHook = recordIdle;
        int exitCode = testApp().runMessageLoop();
        testApp().idleHook = nullptr;
        return exitCode;
    }

    HWND barWindow = nullptr;

private:
    BarSystemCalls saved_;
};

TEST_F(MessageLoop, TicksFollowTheIdleCountRulesWithOnePointerReadEach)
{
    RecordingBar& bar = open("Silent=1");
    bar.afterTick = [](HWND self, int tick) {
        switch (tick) {
        case 2:
            PostMessageA(self, kPosted, 0, 0);
            break;
        case 4:
            PostMessageA(self, WM_PAINT, 0, 0);
            PostMessageA(self, 0x0118, 0, 0);
            break;
        case 6:
            // Both moves carry the same point: the pointer stands still. Over a window of the
            // program that is not the bar's (over the bar, the bar would track the pointer itself).
            PostMessageA(otherWindow(), WM_MOUSEMOVE, 0, 0);
            PostMessageA(otherWindow(), WM_MOUSEMOVE, 0, 0);
            break;
        case 8:
            DestroyWindow(self); // the last thing: this object is gone
            break;
        }
    };
    int exitCode = runLoop(bar);

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(testApp().mainWindow(), nullptr);
    // No tick on the first idle call after a message; one on each later call.
    // Paint and the system timer message keep the count going; the first
    // mouse move restarts it, an identical second one does not; after the
    // main window is gone no tick is sent and the loop ends.
    EXPECT_EQ(events, "i0 i1 T i2 T A i0 i1 T i2 T P S i3 T i4 T M M i0 i1 T i2 T ");
    // The loop's pacing takes the tick's answer: the pointer is read once a tick.
    EXPECT_EQ(pointerReads, 8);
}

TEST_F(MessageLoop, TheTickSaysWhetherThePointerMovedAndReadsItOnlyWhileAutoHideWatches)
{
    RecordingBar& bar = open("Silent=1");
    int sy = GetSystemMetrics(SM_CYSCREEN);
    struct Step {
        POINT pointer;
        bool moved;
    };
    const Step steps[] = {
        {{300, sy - 1}, 1}, {{300, sy - 1}, 0}, {{301, sy - 1}, 1},
        {{301, sy - 1}, 0}, {{301, sy - 2}, 1}, {{301, sy - 2}, 0},
    };
    for (const Step& step : steps) {
        fakePointer = step.pointer;
        // The message answers 0 whatever it saw; the loop asks the bar.
        EXPECT_EQ(SendMessageA(barWindow, WM_BAR_IDLE_TICK, 0, 0), 0);
        EXPECT_EQ(bar.tickSawMovement(), step.moved) << step.pointer.x << "," << step.pointer.y;
    }
    EXPECT_EQ(pointerReads, 6);
    EXPECT_TRUE(bar.needsTicks());

    // Auto-hide off: nothing to watch, so no read and nothing moved.
    bar.Silent = 0;
    fakePointer = POINT{0, 0};
    EXPECT_FALSE(bar.needsTicks());
    EXPECT_EQ(SendMessageA(barWindow, WM_BAR_IDLE_TICK, 0, 0), 0);
    EXPECT_FALSE(bar.tickSawMovement());
    EXPECT_EQ(pointerReads, 6);
}

void hideByUser(LauncherBar& bar)
{
    bar.userHidden = 1;
    ShowWindow(bar.hwnd(), SW_HIDE);
}

void minimise(LauncherBar& bar)
{
    ShowWindow(bar.hwnd(), SW_MINIMIZE);
}

void postCommand(HWND bar, int id)
{
    PostMessageA(bar, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The settings dialog as a user ends it: auto-hide checked, then OK.
void turnAutoHideOnInSettings(HWND bar)
{
    postCommand(bar, kCmdSettings);
    HWND dialog = nullptr;
    // Shown, so its start-up has filled the controls (a slow machine can be caught in between).
    for (int i = 0; i < 2000 && !(dialog && IsWindowVisible(dialog)); ++i) {
        Sleep(10);
        dialog = FindWindowA("#32770", kSettingsCaption.c_str());
    }
    ASSERT_NE(dialog, nullptr);
    SendMessageA(GetDlgItem(dialog, 1015), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 500 && IsWindow(dialog); ++i)
        Sleep(10);
}

TEST_F(MessageLoop, TicksRunOnlyWhileTheBarNeedsThemAndStartOrStopAtOnce)
{
    struct Case {
        const char* name;
        const char* env;
        void (*prepare)(LauncherBar&);
        void (*change)(HWND); // from another thread while the loop runs; may be none
        bool ticksBefore;
        bool ticksAfter;
    };
    const Case cases[] = {
        {"auto-hide off", "Silent=0", nullptr, nullptr, false, false},
        {"auto-hide on", "Silent=1", nullptr, nullptr, true, true},
        {"hidden by the user", "Silent=1", hideByUser, nullptr, false, false},
        {"minimised", "Silent=1", minimise, nullptr, false, false},
        {"turned on in the settings dialog", "Silent=0", nullptr, turnAutoHideOnInSettings, false, true},
        {"shown again by a relayout", "Silent=1", hideByUser, [](HWND bar) { postCommand(bar, kIdNext); }, false,
         true},
        {"shown again from the menu", "Silent=1", hideByUser, [](HWND bar) { postCommand(bar, kCmdShow); }, false,
         true},
        {"shown again from the tray", "Silent=1", hideByUser,
         [](HWND bar) { PostMessageA(bar, WM_BAR_TRAY_NOTIFY, 1, WM_LBUTTONDBLCLK); }, false, true},
        {"restored from the window menu", "Silent=1", minimise,
         [](HWND bar) { PostMessageA(bar, WM_SYSCOMMAND, SC_RESTORE, 0); }, false, true},
        {"restored by another thread", "Silent=1", minimise, [](HWND bar) { ShowWindow(bar, SW_RESTORE); }, false,
         true},
        {"hidden from the tray", "Silent=1", nullptr,
         [](HWND bar) { PostMessageA(bar, WM_BAR_TRAY_NOTIFY, 1, WM_LBUTTONDBLCLK); }, true, false},
        {"minimised by the icon tile", "Silent=1", nullptr, [](HWND bar) { postCommand(bar, kIdIcon); }, true,
         false},
    };
    DWORD loopThread = GetCurrentThreadId();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingBar& bar = open(c.env);
        if (c.prepare) {
            c.prepare(bar);
            pumpMessages(50);
        }
        int before = -1;
        int changed = -1;
        int after = -1;
        int idleBefore = -1;
        std::thread driver([&] {
            Sleep(300);
            before = ticks;
            idleBefore = idlePasses;
            if (c.change) {
                c.change(barWindow);
                Sleep(200);
            }
            changed = ticks;
            Sleep(400);
            after = ticks;
            PostThreadMessageA(loopThread, WM_QUIT, 0, 0);
        });
        runLoop(bar);
        driver.join();

        if (c.ticksBefore) {
            EXPECT_GE(before, 3);
        } else {
            EXPECT_EQ(before, 0);
            // Two idle passes, then the loop slept in GetMessage.
            EXPECT_EQ(idleBefore, 2);
        }
        if (c.ticksAfter) {
            if (c.change) {
                EXPECT_GT(changed, before);
            }
            EXPECT_GE(after - changed, 3);
        } else {
            EXPECT_EQ(after, changed);
        }
        testApp().setMainWindow(nullptr);
        DestroyWindow(barWindow);
        barWindow = nullptr;
    }
}

} // namespace
