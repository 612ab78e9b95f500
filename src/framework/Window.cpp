// Window binding and message dispatch.
#include "Window.h"

#include <commctrl.h>

#include "LateBound.h"
#include "WinApp.h"

Window::~Window()
{
    // A window object normally outlives nothing of its HWND; should it go
    // first, the HWND must stop dispatching to freed memory.
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

std::string controlText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

bool Window::registerClass(WNDCLASSA windowClass)
{
    windowClass.lpfnWndProc = dispatch;
    WNDCLASSA existing;
    if (GetClassInfoA(windowClass.hInstance, windowClass.lpszClassName, &existing))
        return true;
    return RegisterClassA(&windowClass) != 0;
}

HWND Window::createWindow(DWORD exStyle, const char* className, const char* title, DWORD style, const RECT& rect,
                          HWND parent, HMENU menu)
{
    return CreateWindowExA(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, menu, WinApp::instance()->instanceHandle(), this);
}

LRESULT Window::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* self;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message != WM_NCDESTROY)
        return self->windowProc(message, wParam, lParam);

    LRESULT result = self->windowProc(message, wParam, lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->onFinalMessage(); // may delete self
    return result;
}

HWND FrameWindow::createFrame(DWORD exStyle, const char* className, const char* title, DWORD style,
                              const RECT& rect)
{
    HWND created = createWindow(exStyle, className, title, style, rect, nullptr, nullptr);
    ownsSelf_ = created != nullptr;
    return created;
}

LRESULT FrameWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        // Destroyed under a modal loop, the window's object would be gone when
        // the loop's caller goes on using it: the close waits for the loop's end.
        WinApp* app = WinApp::instance();
        if (app && app->inModalLoop()) {
            app->deferMessage(hwnd(), WM_CLOSE, 0, 0);
            return 0;
        }
    }
    if (message == WM_NCDESTROY) {
        WinApp* app = WinApp::instance();
        if (app && app->mainWindow() == this) {
            app->setMainWindow(nullptr);
            PostQuitMessage(0);
        }
    }
    return Window::windowProc(message, wParam, lParam);
}

Control::~Control()
{
    destroy();
}

bool Control::create(const char* className, const char* text, DWORD style, const RECT& rect, HWND parent, int id,
                     DWORD exStyle)
{
    hwnd_ = CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            WinApp::instance()->instanceHandle(), nullptr);
    return hwnd_ != nullptr;
}

void Control::destroy()
{
    // IsWindow: the control dies with its parent before its object does.
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

SubclassedControl::~SubclassedControl()
{
    if (hwnd_ && IsWindow(hwnd_))
        lateBound::removeWindowSubclass(hwnd_, dispatch, 0);
}

bool SubclassedControl::create(const char* className, const char* text, DWORD style, const RECT& rect, HWND parent,
                               int id, DWORD exStyle)
{
    // A window made earlier by this object goes first, its subclass with it: it must not
    // live on, calling into the object, once the object is gone.
    if (hwnd_ && IsWindow(hwnd_)) {
        lateBound::removeWindowSubclass(hwnd_, dispatch, 0);
        DestroyWindow(hwnd_);
    }
    if (!Control::create(className, text, style, rect, parent, id, exStyle))
        return false;
    return lateBound::setWindowSubclass(hwnd_, dispatch, 0, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

LRESULT SubclassedControl::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return defaultProc(message, wParam, lParam);
}

LRESULT SubclassedControl::defaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return lateBound::defSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR refData)
{
    auto* self = reinterpret_cast<SubclassedControl*>(refData);
    if (message != WM_NCDESTROY)
        return self->windowProc(message, wParam, lParam);
    lateBound::removeWindowSubclass(hwnd, dispatch, 0);
    self->hwnd_ = nullptr;
    return lateBound::defSubclassProc(hwnd, message, wParam, lParam);
}
