// A window's registration with the shell as an application desktop toolbar: its room at an edge, the shell's notices.
#pragma once

#include <windows.h>
#include <shellapi.h>

class AppBarRegistration {
public:
    using Send = UINT_PTR(WINAPI*)(DWORD, APPBARDATA*);
    // send: the shell's SHAppBarMessage, read at each call, so a test may record what is said.
    explicit AppBarRegistration(const Send& send) : send_(send) {}
    AppBarRegistration(const AppBarRegistration&) = delete;
    AppBarRegistration& operator=(const AppBarRegistration&) = delete;

    // Registers the window (ABM_NEW, the shell's notices coming as callbackMessage), so
    // that it hears of full-screen programs whether or not it takes room.
    void registerWith(HWND window, UINT callbackMessage);
    bool registered() const { return registered_; }
    // The room the shell gives the window at an edge (ABE_TOP, ABE_BOTTOM) of an area: the
    // thickness asked for (ABM_QUERYPOS), then taken (ABM_SETPOS). A thickness of 0 takes
    // no room, and gives back what was taken.
    RECT reserve(UINT edge, const RECT& area, int thickness);
    // As the edge's auto-hide bar on the area's monitor, or not any more. False when the
    // edge has another one (the taskbar), which the shell keeps.
    bool setAutoHide(UINT edge, const RECT& area, bool on);
    // Otherwise the shell keeps the room, and every later bar moves for it.
    void remove();
    // What the shell must hear from an application bar: its activation, and its moves.
    void activated();
    void moved();

    enum class Notice { none, positionChanged, fullScreenChanged };
    // What a notice of the shell means to the window (ABN_POSCHANGED, ABN_FULLSCREENAPP).
    Notice onNotice(UINT notification, LPARAM lParam);
    // A full-screen program is open on the window's own monitor, as the shell last said.
    bool fullScreen() const { return fullScreen_; }

private:
    const Send& send_;
    HWND window_ = nullptr;
    bool registered_ = false;
    bool fullScreen_ = false;
    UINT autoHideEdge_ = 0;
    bool autoHide_ = false;
};
