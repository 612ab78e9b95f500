// How the bar learns where the pointer is while auto-hide watches: from its own windows' mouse messages.
#pragma once

#include <windows.h>

// While the bar is out, a hook on the bar's thread sees each mouse move to one of its windows
// and asks the system to say when the pointer leaves that window (TrackMouseEvent); the leave
// comes back to the bar as the given message. While the pointer is over the bar, nothing
// else needs to read it.
class PointerWatch {
public:
    PointerWatch() = default;
    PointerWatch(const PointerWatch&) = delete;
    PointerWatch& operator=(const PointerWatch&) = delete;
    ~PointerWatch() { watch(nullptr, false, 0); }

    void watch(HWND bar, bool on, UINT leftMessage);
    // A window of the bar has the pointer, and will say when it leaves.
    bool tracking() const { return tracked_ != nullptr; }

private:
    static LRESULT CALLBACK onMessage(int code, WPARAM wParam, LPARAM lParam);

    HWND bar_ = nullptr;
    UINT leftMessage_ = 0;
    HHOOK hook_ = nullptr;
    HWND tracked_ = nullptr;
};
