// The real message loop: idle calls, ticks and which messages restart the idle count.
#include <gtest/gtest.h>

#include <string>

#include "bar/BarIds.h"
#include "framework/Window.h"
#include "support.h"

namespace {

std::string events;
int ticks = 0;
constexpr UINT kPosted = WM_APP + 1;

void note(const std::string& event)
{
    events += event + " ";
}

void recordIdle(long count)
{
    note("i" + std::to_string(count));
}

// A main window that records its ticks and posts messages at chosen ticks.
class Recorder : public FrameWindow {
public:
    Recorder()
    {
        WNDCLASSA windowClass{};
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZelTickRecorder";
        registerClass(windowClass);
        createFrame(0, "ZelTickRecorder", "", WS_POPUP, RECT{0, 0, 10, 10});
    }

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_BAR_IDLE_TICK:
            note("T");
            onTick(++ticks);
            return 0;
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
        return FrameWindow::windowProc(message, wParam, lParam);
    }

private:
    void onTick(int tick)
    {
        HWND self = hwnd();
        switch (tick) {
        case 2:
            PostMessageA(self, kPosted, 0, 0);
            break;
        case 4:
            PostMessageA(self, WM_PAINT, 0, 0);
            PostMessageA(self, 0x0118, 0, 0);
            break;
        case 6:
            // The pointer stands still, so both moves have the same point.
            PostMessageA(self, WM_MOUSEMOVE, 0, 0);
            PostMessageA(self, WM_MOUSEMOVE, 0, 0);
            break;
        case 8:
            DestroyWindow(self); // the last thing: this object is gone
            break;
        }
    }
};

TEST(MessageLoop, TicksFollowTheIdleCountRules)
{
    events.clear();
    ticks = 0;
    auto* recorder = new Recorder();
    ASSERT_NE(recorder->hwnd(), nullptr);
    pumpMessages(50);
    events.clear();
    testApp().setMainWindow(recorder);
    testApp().idleHook = recordIdle;
    int exitCode = testApp().runMessageLoop();
    testApp().idleHook = nullptr;

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(testApp().mainWindow(), nullptr);
    // No tick on the first idle call after a message; one on each later call.
    // Paint and the system timer message keep the count going; the first
    // mouse move restarts it, an identical second one does not; after the
    // main window is gone no tick is sent and the loop ends.
    EXPECT_EQ(events, "i0 i1 T i2 T A i0 i1 T i2 T P S i3 T i4 T M M i0 i1 T i2 T ");
}

} // namespace
