// A window's registration with the shell as an application desktop toolbar: its room at an edge, the shell's notices.
#pragma once

#include <windows.h>

class AppBarRegistration {
public:
    AppBarRegistration() = default;
    AppBarRegistration(const AppBarRegistration&) = delete;
    AppBarRegistration& operator=(const AppBarRegistration&) = delete;

    // Registers the window (ABM_NEW, the shell's notices coming as callbackMessage) or,
    // where it is not wanted any more, removes it.
    void sync(HWND window, bool wanted, UINT callbackMessage);
    bool registered() const { return registered_; }
    // The room the shell gives the window at an edge (ABE_TOP, ABE_BOTTOM) of an area: the
    // thickness asked for (ABM_QUERYPOS), then taken (ABM_SETPOS). A thickness of 0 takes no room.
    RECT reserve(UINT edge, const RECT& area, int thickness);
    // Otherwise the shell keeps the room, and every later bar moves for it.
    void remove();

    enum class Notice { none, positionChanged, fullScreenChanged };
    // What a notice of the shell means to the window (ABN_POSCHANGED, ABN_FULLSCREENAPP).
    Notice onNotice(UINT notification, LPARAM lParam);
    // A full-screen program is open, as the shell last said.
    bool fullScreen() const { return fullScreen_; }

private:
    HWND window_ = nullptr;
    bool registered_ = false;
    bool fullScreen_ = false;
};
