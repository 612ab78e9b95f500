// Time from the pointer entering the call-back band to the bar at full height, the pointer moving in small steps.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Clock.h"

namespace {

int barHeight(HWND bar)
{
    RECT r{};
    GetWindowRect(bar, &r);
    return r.bottom - r.top;
}

// Waits for a height, up to a time-out; returns false on the time-out.
bool waitHeight(HWND bar, int height, double timeoutMs)
{
    double start = nowMs();
    while (barHeight(bar) != height) {
        if (nowMs() - start > timeoutMs)
            return false;
        Sleep(0);
    }
    return true;
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
    constexpr int kBand = 10; // the default SilentSize
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        SetCursorPos(512, sy / 2);
        if (!waitHeight(bar, 2, 2000))
            continue;
        Sleep(200); // the loop's wait may grow while the pointer stands
        // Toward the edge 3 pixels every 8 ms, as a hand moves it.
        double entered = 0;
        for (int y = sy - 60; y < sy; y += 3) {
            SetCursorPos(512, y);
            if (y > sy - kBand) {
                entered = nowMs();
                break;
            }
            Sleep(8);
        }
        if (waitHeight(bar, 19, 2000))
            times.push_back(nowMs() - entered);
    }
    if (times.empty()) {
        std::printf("no slide measured\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("slide median %.1f worst %.1f runs %zu\n", times[times.size() / 2], times.back(), times.size());
    return 0;
}
