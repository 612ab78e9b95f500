// Auto-hide's response, from another process: the pointer entering the call-back band at a hand's
// speed (to the first move and to the full bar), the pointer jumping into it after a rest (as a pen
// or a finger puts it), and the floor: the slide's nine moves of a window of this process alone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Clock.h"

namespace {

int heightOf(HWND bar)
{
    RECT r{};
    GetWindowRect(bar, &r);
    return r.bottom - r.top;
}

// Waits until the height is (or is not) a value, up to a time-out; false on the time-out.
bool waitHeight(HWND bar, int height, bool equal, double timeoutMs)
{
    double start = nowMs();
    while ((heightOf(bar) == height) != equal) {
        if (nowMs() - start > timeoutMs)
            return false;
        Sleep(0);
    }
    return true;
}

struct Figures {
    std::vector<double> first, full, jump, floor;
};

void print(const char* name, std::vector<double> times)
{
    if (times.empty()) {
        std::printf("%s none\n", name);
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf("%s median %.1f worst %.1f runs %zu\n", name, times[times.size() / 2], times.back(), times.size());
}

// The bar's slide, nine moves of growing height at the bottom edge, on a window of our own.
double animationFloor(int sy, int width)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZelSlideFloor";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "ZelSlideFloor", "", WS_POPUP, 0, sy - 2, width, 2, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    SetWindowPos(window, HWND_TOPMOST, 0, sy - 2, width, 2, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    double start = nowMs();
    for (int height = 3; height <= 19; height += 2)
        SetWindowPos(window, HWND_TOPMOST, 0, sy - height, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    double elapsed = nowMs() - start;
    DestroyWindow(window);
    return elapsed;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    HWND bar = nullptr;
    for (int i = 0; i < 3000 && !bar; ++i) {
        bar = FindWindowA("ZelLauncherBar", nullptr);
        Sleep(10);
    }
    if (!bar) {
        std::printf("no bar found\n");
        return 1;
    }
    int sy = GetSystemMetrics(SM_CYSCREEN);
    int full = heightOf(bar) > 2 ? heightOf(bar) : 19;
    constexpr int kBand = 10; // the default SilentSize
    Figures figures;
    for (int run = 0; run < runs; ++run) {
        // A hand: toward the edge 3 pixels every 8 ms.
        SetCursorPos(512, sy / 2);
        if (!waitHeight(bar, 2, true, 2000))
            continue;
        Sleep(200); // the loop's wait may grow while the pointer stands
        double entered = 0;
        for (int y = sy - 60; y < sy; y += 3) {
            SetCursorPos(512, y);
            if (y > sy - kBand) {
                entered = nowMs();
                break;
            }
            Sleep(8);
        }
        if (waitHeight(bar, 2, false, 2000))
            figures.first.push_back(nowMs() - entered);
        if (waitHeight(bar, full, true, 2000))
            figures.full.push_back(nowMs() - entered);
        // A pen: after a rest far away, at once on the edge.
        SetCursorPos(512, sy / 2);
        if (!waitHeight(bar, 2, true, 2000))
            continue;
        Sleep(1000);
        SetCursorPos(512, sy - 1);
        double jumped = nowMs();
        if (waitHeight(bar, 2, false, 2000))
            figures.jump.push_back(nowMs() - jumped);
        figures.floor.push_back(animationFloor(sy, GetSystemMetrics(SM_CXSCREEN)));
    }
    print("first", figures.first);
    print("full", figures.full);
    print("jump", figures.jump);
    print("floor", figures.floor);
    return figures.first.empty() ? 1 : 0;
}
