// Window objects bound to their HWND, with one virtual window procedure each.
#pragma once

#include <windows.h>

#include <string>

// A window's or control's whole text, however long.
std::string controlText(HWND window);

// A window created by the program and bound to this object through
// GWLP_USERDATA from WM_NCCREATE to WM_NCDESTROY.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

protected:
    // Registers a class whose procedure dispatches to the bound object.
    static bool registerClass(WNDCLASSA windowClass);
    HWND createWindow(DWORD exStyle, const char* className, const char* title, DWORD style,
                      const RECT& rect, HWND parent, HMENU menu);

    virtual LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs after the last message, when the HWND is gone.
    virtual void onFinalMessage() {}

private:
    static LRESULT CALLBACK dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// A top-level window that owns itself: it is deleted after its last message.
// When it is the application's main window, its end posts the quit message.
class FrameWindow : public Window {
protected:
    // Creates the window; only a window that was created owns its object, so
    // a failed creation leaves the object to its creator.
    HWND createFrame(DWORD exStyle, const char* className, const char* title, DWORD style, const RECT& rect);
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onFinalMessage() override
    {
        if (ownsSelf_)
            delete this;
    }

private:
    bool ownsSelf_ = false;
};

// A standard control created by the program. Not bound to an object unless
// subclassed (SubclassedControl).
class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND hwnd() const { return hwnd_; }
    bool create(const char* className, const char* text, DWORD style, const RECT& rect, HWND parent, int id,
                DWORD exStyle = 0);
    void destroy();

protected:
    HWND hwnd_ = nullptr;
};

// A standard control whose messages pass through windowProc first; the
// control's own processing stays reachable through defaultProc.
class SubclassedControl : public Control {
public:
    // The subclass goes before the window: a window destroyed later (a top-level popup
    // outlives its owner) must not call into an object that is half gone.
    ~SubclassedControl() override;
    bool create(const char* className, const char* text, DWORD style, const RECT& rect, HWND parent, int id,
                DWORD exStyle = 0);

protected:
    virtual LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR refData);
};
