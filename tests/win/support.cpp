// Helpers of the Wine tests.
#include "support.h"

#include <fstream>
#include <iterator>
#include <vector>

std::string windowsIniPath(const std::string& fileName)
{
    char dir[MAX_PATH];
    UINT length = GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir, length) + "\\" + fileName;
}

std::string ownIniPath()
{
    return windowsIniPath(testApp().profileName());
}

void putFile(const std::string& path, const std::string& bytes)
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    DeleteFileA(path.c_str());
    if (!bytes.empty()) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
}

std::string fileBytes(const std::string& path)
{
    // Writes may still sit in the profile cache.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void removeFile(const std::string& path)
{
    putFile(path, "");
}

void pumpMessages(DWORD milliseconds)
{
    DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        LONG left = static_cast<LONG>(end - GetTickCount());
        if (left <= 0)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

COLORREF screenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

namespace {

struct Search {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (owner == search->processId && lstrcmpA(name, search->className) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND findProcessWindow(DWORD processId, const char* className, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        Search search{processId, className, nullptr};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string testDirectory()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path, length);
    return full.substr(0, full.find_last_of("\\/") + 1);
}

std::string copyProgram(const std::string& fileName)
{
    std::string target = testDirectory() + fileName;
    CopyFileA((testDirectory() + "ZEL32.EXE").c_str(), target.c_str(), FALSE);
    return target;
}

Started startProgram(const std::string& path, WORD showCommand)
{
    Started started;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand;
    std::vector<char> commandLine(path.begin(), path.end());
    commandLine.push_back('\0');
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started.process))
        return started;
    // Idle means the bar's creation has ended, controls and all.
    WaitForInputIdle(started.process.hProcess, kStartTimeoutMs);
    started.bar = findProcessWindow(started.process.dwProcessId, "ZelLauncherBar", kStartTimeoutMs);
    return started;
}

int closeProgram(Started& started)
{
    if (started.process.hProcess && started.bar)
        PostMessageA(started.bar, WM_CLOSE, 0, 0);
    return waitForExit(started);
}

int waitForExit(Started& started)
{
    if (!started.process.hProcess)
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(started.process.hProcess, kStartTimeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(started.process.hProcess, &code);
    } else {
        TerminateProcess(started.process.hProcess, 99);
        WaitForSingleObject(started.process.hProcess, 5000);
    }
    CloseHandle(started.process.hProcess);
    CloseHandle(started.process.hThread);
    started = Started{};
    return static_cast<int>(code);
}

std::string windowText(HWND hwnd)
{
    int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), length + 1)));
    return text;
}

std::string className(HWND hwnd)
{
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

void BarTest::open(const std::string& ini, bool asMainWindow)
{
    putFile(ownIniPath(), ini);
    bar = new LauncherBar();
    barWindow = bar->hwnd();
    ASSERT_NE(barWindow, nullptr);
    if (asMainWindow)
        testApp().setMainWindow(bar);
    pumpMessages(50);
}

void BarTest::closeBar()
{
    if (barWindow && IsWindow(barWindow)) {
        // Not the main window any more, or its end would post a quit message.
        if (testApp().mainWindow() == bar)
            testApp().setMainWindow(nullptr);
        DestroyWindow(barWindow);
    }
    bar = nullptr;
    barWindow = nullptr;
}
