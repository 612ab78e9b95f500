// The application object: entry, module names, message loop with idle calls, dialog colours.
#include "LateBound.h"
#include "WinApp.h"

#include <commctrl.h>

#include <cassert>
#include <vector>

#include "ModulePaths.h"
#include "Window.h"

WinApp* WinApp::current_ = nullptr;

namespace {

bool systemHighContrast()
{
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace

bool (*highContrastSetting)() = systemHighContrast;

bool highContrast()
{
    return highContrastSetting();
}

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

void WinApp::takeModuleNames(HINSTANCE instance)
{
    instance_ = instance;
    std::string path = modulePath(instance);
    applicationName_ = applicationNameFor(path, isAnsiLeadByte);
    helpPath_ = helpPathFor(path, isAnsiLeadByte);
    profile_.locate(path);
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
