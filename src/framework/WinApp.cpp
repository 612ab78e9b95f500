// The application object: entry, profile, message loop with idle calls, dialog colours.
#include "LateBound.h"
#include "WinApp.h"

#include <commctrl.h>

#include <cassert>
#include <vector>

#include "FrameworkTexts.h"
#include "ModulePaths.h"
#include "ProfileValue.h"
#include "Window.h"

WinApp* WinApp::current_ = nullptr;

namespace {

// A bound for a hand-edited value, so a broken file cannot take all memory.
constexpr std::size_t kLongestProfileValue = 1 << 20;

} // namespace

bool isAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

PathKind pathKind(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::folder : PathKind::file;
}

namespace {

// The module's full path, however long.
std::string modulePath(HINSTANCE instance)
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(instance, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

WinApp::WinApp()
{
    assert(current_ == nullptr);
    current_ = this;
}

WinApp::~WinApp()
{
    if (current_ == this)
        current_ = nullptr;
}

namespace {

std::string windowsDirectoryFile(const std::string& name)
{
    char directory[MAX_PATH];
    UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return name;
    std::string path(directory, length);
    if (path.back() != '\\')
        path += '\\';
    return path + name;
}

} // namespace

void WinApp::takeModuleNames(HINSTANCE instance)
{
    instance_ = instance;
    std::string path = modulePath(instance);
    applicationName_ = applicationNameFor(path, isAnsiLeadByte);
    helpPath_ = helpPathFor(path, isAnsiLeadByte);
    // A profile beside the program makes it portable; otherwise the profile
    // functions keep it in the Windows directory, named without a directory.
    std::string beside = portableProfileFor(path, isAnsiLeadByte);
    if (pathKind(beside) == PathKind::file) {
        profileName_ = beside;
        profilePath_ = beside;
    } else {
        profileName_ = profileNameFor(path, isAnsiLeadByte);
        profilePath_ = windowsDirectoryFile(profileName_);
    }
}

int WinApp::run(HINSTANCE instance, int showCommand)
{
    takeModuleNames(instance);
    showCommand_ = showCommand;
    if (!initInstance())
        return 1;
    return runMessageLoop();
}

bool WinApp::onIdle(long count)
{
    // The framework's own idle work is done on the first pass.
    return count == 0;
}

int WinApp::runMessageLoop()
{
    bool idle = true;
    long idleCount = 0;
    MSG msg;
    for (;;) {
        // A wait that ran out saw no message: the queue need not be asked again.
        bool queueEmpty = false;
        while (idle && (queueEmpty || !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))) {
            long count = idleCount++;
            bool more = onIdle(count);
            queueEmpty = false;
            if (count > 0 && wantsIdleTicks())
                queueEmpty = waitAfterTick(onIdleTick());
            else if (!more)
                idle = false;
        }
        do {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0)
                return static_cast<int>(msg.wParam);
            if (got == -1)
                return 1;
            if (!preTranslateMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            if (idleTracker_.restartsIdle(msg.message, msg.pt.x, msg.pt.y)) {
                idle = true;
                idleCount = 0;
            } else if (!idle && wantsIdleTicks()) {
                // A message that keeps the count (a paint after a restore)
                // may still have made ticks wanted: they go on from the count.
                idle = true;
            }
        } while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

bool WinApp::waitAfterTick(IdleTickResult tick)
{
    tickWait_ = nextTickWait(tickWait_, tick);
    // Any input ends the wait at once; no timer, which would restart the idle count.
    return MsgWaitForMultipleObjectsEx(0, nullptr, tickWait_, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_TIMEOUT;
}

int WinApp::profileInt(const char* section, const char* key, int defaultValue) const
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, profileName_.c_str()));
}

std::string WinApp::profileString(const char* section, const char* key, const char* defaultValue,
                                  std::size_t maxBytes) const
{
    // A full buffer reads as size - 1 characters: grow it until the value fits.
    std::vector<char> buffer(4096);
    DWORD length = 0;
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        length = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), size, profileName_.c_str());
        if (length < size - 1 || buffer.size() >= kLongestProfileValue)
            break;
        buffer.resize(buffer.size() * 4);
    }
    return cutToField(std::string_view(buffer.data(), length), isAnsiLeadByte, maxBytes);
}

bool WinApp::writeProfileInt(const char* section, const char* key, int value) const
{
    return writeProfileString(section, key, std::to_string(value));
}

bool WinApp::writeProfileString(const char* section, const char* key, const std::string& text) const
{
    // A line break would end the line and start another key.
    if (text.find_first_of("\r\n") != std::string::npos)
        return false;
    return WritePrivateProfileStringA(section, key, profileValueToWrite(text).c_str(), profileName_.c_str()) != FALSE;
}

void WinApp::flushProfile() const
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, profileName_.c_str());
}

namespace {

bool readWholeFile(const std::string& path, std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return true;
}

} // namespace

namespace {

// A list of NUL-ended texts that ends with an empty one, read into a buffer
// that grows until the list fits (a full buffer reads as size - 2).
template <class Read>
std::vector<std::string> readList(Read read)
{
    std::vector<char> buffer(4096);
    for (;;) {
        DWORD length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + 2 < buffer.size() || buffer.size() >= kLongestProfileValue) {
            std::vector<std::string> items;
            for (std::size_t at = 0; at < length && buffer[at] != '\0';) {
                items.emplace_back(buffer.data() + at);
                at += items.back().size() + 1;
            }
            return items;
        }
        buffer.resize(buffer.size() * 4);
    }
}

} // namespace

ProfileContents WinApp::profileContents() const
{
    const char* file = profileName_.c_str();
    ProfileContents contents;
    for (std::string& name : readList([&](char* b, DWORD n) { return GetPrivateProfileSectionNamesA(b, n, file); })) {
        std::vector<std::string> lines =
            readList([&](char* b, DWORD n) { return GetPrivateProfileSectionA(name.c_str(), b, n, file); });
        contents.push_back({std::move(name), std::move(lines)});
    }
    return contents;
}

ProfileWrites::ProfileWrites(const WinApp& app) : app_(app)
{
    app_.flushProfile();
    existed_ = readWholeFile(app_.profilePath(), before_);
    expected_ = app_.profileContents();
}

void ProfileWrites::write(const char* section, const char* key, const std::string& text)
{
    // Every key is tried; one failure fails the whole action.
    if (!app_.writeProfileString(section, key, text))
        failed_ = true;
    applyWrite(expected_, section, key, text);
}

bool ProfileWrites::commit()
{
    // Read from the disk: the written keys as written, and every other line as it was.
    app_.flushProfile();
    if (!failed_ && app_.profileContents() != expected_)
        failed_ = true;
    if (!failed_)
        return true;
    // Put back what the action found, so a cut file loses nothing: the space the
    // old bytes took was freed when the file was cut.
    const std::string& path = app_.profilePath();
    if (!existed_) {
        DeleteFileA(path.c_str());
    } else {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD done = 0;
            WriteFile(file, before_.data(), static_cast<DWORD>(before_.size()), &done, nullptr);
            CloseHandle(file);
        }
    }
    app_.flushProfile();
    return false;
}

void WinApp::reportWriteFailure(HWND owner) const
{
    std::string text = std::string(kWriteFailedText) + "\n" + profilePath();
    MessageBeep(MB_ICONHAND);
    showMessageBox(owner, text.c_str(), kErrorCaption, MB_OK | MB_ICONHAND);
}

bool WinApp::closeDeferred() const
{
    for (const MSG& held : deferred_)
        if (held.message == WM_CLOSE)
            return true;
    return false;
}

void WinApp::deferMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const MSG& held : deferred_)
        if (held.hwnd == window && held.message == message && held.wParam == wParam && held.lParam == lParam)
            return;
    MSG held{};
    held.hwnd = window;
    held.message = message;
    held.wParam = wParam;
    held.lParam = lParam;
    deferred_.push_back(held);
}

ModalLoop::ModalLoop()
{
    if (WinApp* app = WinApp::instance())
        ++app->modalDepth_;
}

ModalLoop::~ModalLoop()
{
    WinApp* app = WinApp::instance();
    if (!app || --app->modalDepth_ > 0)
        return;
    std::vector<MSG> deferred;
    deferred.swap(app->deferred_);
    for (const MSG& held : deferred)
        if (IsWindow(held.hwnd))
            PostMessageA(held.hwnd, held.message, held.wParam, held.lParam);
}

void WinApp::setDialogColors(COLORREF background, COLORREF text)
{
    dialogBrush_.reset(CreateSolidBrush(background));
    dialogText_ = text;
}

namespace {

// Paints a message box's dialog, texts and buttons in the dialog colours.
LRESULT CALLBACK colourBox(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    WinApp* app = WinApp::instance();
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (app && app->dialogBrush()) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, app->dialogTextColor());
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(app->dialogBrush());
        }
        break;
    case WM_NCDESTROY:
        lateBound::removeWindowSubclass(hwnd, colourBox, 0);
        break;
    }
    return lateBound::defSubclassProc(hwnd, message, wParam, lParam);
}

thread_local HHOOK boxHook = nullptr;

LRESULT CALLBACK watchBoxCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(hwnd, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0)
            lateBound::setWindowSubclass(hwnd, colourBox, 0, 0);
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

} // namespace

int showMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    ModalLoop modal;
    HHOOK outer = boxHook;
    boxHook = SetWindowsHookExA(WH_CBT, watchBoxCreation, nullptr, GetCurrentThreadId());
    int result = MessageBoxA(owner, text, caption, type);
    if (boxHook)
        UnhookWindowsHookEx(boxHook);
    boxHook = outer;
    return result;
}

WaitCursor::WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}

WaitCursor::~WaitCursor()
{
    SetCursor(previous_);
}
