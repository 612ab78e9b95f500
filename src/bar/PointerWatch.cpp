// How the bar learns where the pointer is: its windows' mouse moves and the system's leave notices.
#include "PointerWatch.h"

namespace {

// The bar's thread has one watch at most.
thread_local PointerWatch* watching = nullptr;

} // namespace

void PointerWatch::watch(HWND bar, bool on, UINT leftMessage)
{
    if (on && !hook_) {
        hook_ = SetWindowsHookExA(WH_GETMESSAGE, onMessage, nullptr, GetCurrentThreadId());
        watching = this;
    } else if (!on && hook_) {
        UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        if (watching == this)
            watching = nullptr;
    }
    bar_ = bar;
    leftMessage_ = leftMessage;
    if (!on)
        tracked_ = nullptr;
}

LRESULT CALLBACK PointerWatch::onMessage(int code, WPARAM wParam, LPARAM lParam)
{
    PointerWatch* self = watching;
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (self && code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd &&
        (msg->hwnd == self->bar_ || IsChild(self->bar_, msg->hwnd))) {
        if (msg->message == WM_MOUSEMOVE && msg->hwnd != self->tracked_) {
            TRACKMOUSEEVENT track{};
            track.cbSize = sizeof track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = msg->hwnd;
            if (TrackMouseEvent(&track))
                self->tracked_ = msg->hwnd;
        } else if (msg->message == WM_MOUSELEAVE && msg->hwnd == self->tracked_) {
            // Gone from the bar's windows, or onto another of them (whose move comes next).
            self->tracked_ = nullptr;
            PostMessageA(self->bar_, self->leftMessage_, 0, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
