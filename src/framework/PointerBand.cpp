// An unseen window over a strip of the screen that tells its holder when the pointer enters it.
#include "PointerBand.h"

#include <windowsx.h>

#include "WinApp.h"

namespace {

constexpr char kBandClass[] = "ZelPointerBand";
// The least alpha that the system still hit-tests: 0 would let the pointer through.
constexpr BYTE kAlmostTransparent = 1;

} // namespace

void PointerBand::show(const RECT& band, HWND holder, UINT message)
{
    holder_ = holder;
    message_ = message;
    if (!hwnd()) {
        WNDCLASSA windowClass{};
        windowClass.hInstance = WinApp::instance()->instanceHandle();
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kBandClass;
        registerClass(windowClass);
        createWindow(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, kBandClass, nullptr, WS_POPUP,
                     band, nullptr, nullptr);
        if (!hwnd())
            return;
        SetLayeredWindowAttributes(hwnd(), 0, kAlmostTransparent, LWA_ALPHA);
    }
    if (shown_ && EqualRect(&band, &band_))
        return;
    band_ = band;
    shown_ = true;
    SetWindowPos(hwnd(), HWND_TOPMOST, band.left, band.top, band.right - band.left, band.bottom - band.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void PointerBand::hide()
{
    if (!shown_ || !hwnd())
        return;
    shown_ = false;
    ShowWindow(hwnd(), SW_HIDE);
}

LRESULT PointerBand::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd(), &at);
        // Sent, not posted: the slide starts before this move is answered.
        SendMessageA(holder_, message_, 0, MAKELPARAM(at.x, at.y));
        return 0;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd(), &paint);
        EndPaint(hwnd(), &paint);
        return 0;
    }
    }
    return Window::windowProc(message, wParam, lParam);
}
