// Start and relayout times of a program's window, measured from another Wine process.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Clock.h"

namespace {

constexpr int kNext = 1130;
constexpr int kBefore = 1140;

HWND shownWindow(const char* className)
{
    HWND window = FindWindowA(className, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

// Polls every millisecond or so; null after the time-out.
HWND waitShown(const char* className, double timeoutMs)
{
    double start = nowMs();
    for (;;) {
        if (HWND window = shownWindow(className))
            return window;
        if (nowMs() - start > timeoutMs)
            return nullptr;
        Sleep(1);
    }
}

void printFigures(const char* name, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%s median %.1f worst %.1f runs %zu\n", name, times[times.size() / 2], times.back(), times.size());
}

// From CreateProcess to the window shown, each run a new process ended afterwards.
int startTimes(const char* program, const char* className, int runs)
{
    std::vector<double> times;
    for (int run = 0; run <= runs; ++run) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::vector<char> commandLine(program, program + std::strlen(program) + 1);
        double start = nowMs();
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            std::printf("cannot start %s\n", program);
            return 1;
        }
        HWND window = waitShown(className, 60000);
        double elapsed = nowMs() - start;
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (!window) {
            std::printf("no window of class %s\n", className);
            return 1;
        }
        if (run > 0) // the first start warms the caches
            times.push_back(elapsed);
        // Until the window is gone, the next run would find this one.
        for (int i = 0; i < 1000 && FindWindowA(className, nullptr); ++i)
            Sleep(5);
    }
    printFigures("start", times);
    return 0;
}

// NEXT and BEFORE in turn; each sent, so it returns once the new buttons are painted. The
// minimal window, asked the same way, makes and paints the same controls anew: the floor.
int relayoutTimes(const char* className, int count)
{
    HWND bar = waitShown(className, 60000);
    if (!bar) {
        std::printf("no window of class %s\n", className);
        return 1;
    }
    bool floor = std::strcmp(className, "ZelMinimalWindow") == 0;
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        double start = nowMs();
        if (floor)
            SendMessageA(bar, WM_APP + 1, 0, 0);
        else
            SendMessageA(bar, WM_COMMAND, MAKEWPARAM(i % 2 ? kBefore : kNext, BN_CLICKED), 0);
        times.push_back(nowMs() - start);
    }
    printFigures("relayout", times);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "start") == 0)
        return startTimes(argv[2], argv[3], argc > 4 ? std::atoi(argv[4]) : 5);
    if (argc >= 3 && std::strcmp(argv[1], "relayout") == 0)
        return relayoutTimes(argv[2], argc > 3 ? std::atoi(argv[3]) : 1000);
    if (argc >= 3 && std::strcmp(argv[1], "wait") == 0)
        return waitShown(argv[2], 60000) ? 0 : 1;
    std::printf("usage: probe start PROGRAM CLASS [RUNS] | relayout CLASS [COUNT] | wait CLASS\n");
    return 2;
}
