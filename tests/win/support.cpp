// Helpers of the Wine tests.
#include "support.h"

#include <shlobj.h>

#include <algorithm>
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
    return windowsIniPath(testApp().profile().name());
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

std::wstring wide(const std::string& ansi)
{
    int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(), length);
    return text;
}

HDROP makeDrop(const std::vector<std::wstring>& paths, BOOL nonClient)
{
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->pt = POINT{5, 5};
    files->fNC = nonClient;
    files->fWide = TRUE;
    CopyMemory(reinterpret_cast<char*>(files) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

HDROP makeDrop(const std::vector<std::string>& paths, BOOL nonClient)
{
    std::vector<std::wstring> widePaths;
    for (const std::string& path : paths)
        widePaths.push_back(wide(path));
    return makeDrop(widePaths, nonClient);
}

namespace {

// Wine's own export gives a file's Unix name.
std::string unixNameOf(const std::string& path)
{
    using UnixName = char*(WINAPI*)(const WCHAR*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(wide(path).c_str()) : nullptr;
    if (!name)
        return {};
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a shell script as a Unix program. Its handle cannot be waited on under
// Wine: the script ends by creating the file "done" names, with "ok" in it on success.
bool runUnixScript(const std::string& script, const std::string& done)
{
    DeleteFileA(done.c_str());
    std::string unixDone = unixNameOf(done);
    std::string commandLine = "Z:\\bin\\sh -c \"(" + script + ") >/dev/null 2>&1 && echo ok >'" + unixDone +
                              "' || echo failed >'" + unixDone + "'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (unixDone.empty() ||
        !CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (int i = 0; i < 1000; ++i) {
        std::string said = fileBytes(done);
        if (!said.empty() && said.back() == '\n') {
            DeleteFileA(done.c_str());
            return said == "ok\n";
        }
        Sleep(10);
    }
    return false;
}

} // namespace

FullDisk::FullDisk(const std::string& path, const std::string& bytes) : path_(path)
{
    std::string link = unixNameOf(path);
    mount_ = unixNameOf("C:\\") + "zel-full";
    std::string file = mount_ + "/profile.ini";
    putFile(testDirectory() + "zel-full.bytes", bytes);
    std::string source = unixNameOf(testDirectory() + "zel-full.bytes");
    // 16 KB: the profile's pages, then a filler that takes every page left.
    ok_ = !link.empty() &&
          runUnixScript("mkdir -p '" + mount_ + "' && mount -t tmpfs -o size=16k zelfull '" + mount_ + "' && cp '" +
                            source + "' '" + file + "' && (dd if=/dev/zero of='" + mount_ +
                            "/filler' bs=4096 || true) && rm -f '" + link + "' && ln -s '" + file + "' '" + link + "'",
                        testDirectory() + "zel-full.done");
    DeleteFileA((testDirectory() + "zel-full.bytes").c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

FullDisk::~FullDisk()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
    runUnixScript("rm -f '" + unixNameOf(path_) + "'; umount '" + mount_ + "'; rmdir '" + mount_ + "'",
                  testDirectory() + "zel-full.done");
}

UnwritableFile::UnwritableFile(const std::string& path)
{
    // chattr runs as a Unix program.
    std::string name = unixNameOf(path);
    if (name.empty())
        return;
    unixPath_ = name;
    path_ = path;
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    ok_ = setImmutable(true);
}

UnwritableFile::~UnwritableFile()
{
    if (ok_)
        setImmutable(false);
}

namespace {

bool writable(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

} // namespace

bool UnwritableFile::setImmutable(bool on)
{
    std::string commandLine = std::string("Z:\\usr\\bin\\chattr ") + (on ? "+i" : "-i") + " \"" + unixPath_ + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    // A Unix process's handle cannot be waited on under Wine: watch for the effect instead.
    for (int i = 0; i < 500; ++i) {
        if (writable(path_) != on)
            return true;
        Sleep(10);
    }
    return false;
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

namespace {

BOOL CALLBACK findBox(HWND hwnd, LPARAM lParam)
{
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(hwnd) && className(hwnd) == "#32770") {
        *reinterpret_cast<HWND*>(lParam) = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK findText(HWND hwnd, LPARAM lParam)
{
    auto* text = reinterpret_cast<std::string*>(lParam);
    if (className(hwnd) == "Static" && !windowText(hwnd).empty()) {
        *text = windowText(hwnd);
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string boxText(HWND box)
{
    // A message box's message is its static control 0xFFFF.
    if (HWND message = GetDlgItem(box, 0xFFFF))
        return windowText(message);
    std::string text;
    EnumChildWindows(box, findText, reinterpret_cast<LPARAM>(&text));
    return text;
}

BoxWatcher::BoxWatcher(HWND owner, WhileOpen whileOpen) : owner_(owner), whileOpen_(std::move(whileOpen))
{
    thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
}

const std::vector<SeenBox>& BoxWatcher::finish()
{
    if (thread_) {
        InterlockedExchange(&stop_, 1);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    return seen_;
}

bool BoxWatcher::waitFor(std::size_t count, DWORD timeoutMs) const
{
    DWORD start = GetTickCount();
    while (static_cast<std::size_t>(closed_) < count) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

SIZE textSize(HWND window, const std::string& text, HFONT font)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font ? font : reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE widest{0, 0};
    for (std::size_t start = 0, end; start <= text.size(); start = end + 1, widest.cy++) {
        end = std::min(text.find('\n', start), text.size());
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str() + start, static_cast<int>(end - start), &size);
        widest.cx = std::max(widest.cx, size.cx);
    }
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    widest.cy *= metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return widest;
}

SeenBox seeBox(HWND box)
{
    SeenBox seen{windowText(box), boxText(box)};
    auto shown = reinterpret_cast<HICON>(SendDlgItemMessageA(box, GetDlgItem(box, 1088) ? 1088 : 20, STM_GETICON, 0, 0));
    for (UINT type : {MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK})
        if (shown && shown == LoadIconA(nullptr, MAKEINTRESOURCEA(32513 + (type >> 4) - 1)))
            seen.icon = type; // IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK: 32513 on
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (className(child) == "Button" && (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            seen.defaultButton = GetDlgCtrlID(child);
    RECT room{};
    GetClientRect(GetDlgItem(box, 0xFFFF), &room);
    seen.lineBroken = textSize(GetDlgItem(box, 0xFFFF), seen.text).cx > room.right;
    return seen;
}

DWORD WINAPI BoxWatcher::run(void* self)
{
    static_cast<BoxWatcher*>(self)->watch();
    return 0;
}

void BoxWatcher::watch()
{
    while (!InterlockedCompareExchange(&stop_, 0, 0)) {
        HWND box = nullptr;
        EnumWindows(findBox, reinterpret_cast<LPARAM>(&box));
        if (!box) {
            Sleep(10);
            continue;
        }
        Sleep(50); // let its initialisation finish
        SeenBox seen = seeBox(box);
        HDC dc = GetDC(box);
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(box, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
        ReleaseDC(box, dc);
        LOGBRUSH logBrush{};
        if (brush && GetObjectA(brush, sizeof logBrush, &logBrush) == sizeof logBrush)
            seen.background = logBrush.lbColor;
        seen.ownerEnabled = owner_ && IsWindowEnabled(owner_) != FALSE;
        if (whileOpen_)
            whileOpen_(seen);
        seen_.push_back(seen);
        // A message box has no cancel button unless it asks a question.
        int answer = seen.answer ? seen.answer : GetDlgItem(box, IDCANCEL) ? IDCANCEL : IDOK;
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
        for (int i = 0; i < 500 && IsWindow(box) && IsWindowVisible(box); ++i)
            Sleep(20);
        InterlockedIncrement(&closed_);
    }
}
