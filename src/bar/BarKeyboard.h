// The bar's keyboard: its hotkey, the keyboard mode the hotkey starts, and the window the keyboard goes back to.
#pragma once

#include <windows.h>

#include <string>

#include "KeyRules.h"

// The stored hotkey in the program's own words: "Ctrl+Alt+Z".
std::string hotKeyName(int stored);

class BarKeyboard {
public:
    // The stored hotkey, registered anew (none for key 0). When another program holds
    // it, the bar is told once, after it stands, with the given message.
    void registerHotKey(HWND bar, int stored, UINT takenMessage);
    void unregisterHotKey(HWND bar);
    // The box that says the hotkey is taken, naming it.
    void reportTaken(HWND bar, int stored) const;

    // Used by keyboard since the hotkey: focus rectangles show, auto-hide holds the bar out.
    bool active() const { return active_; }
    // The hotkey: the window that had the keyboard is remembered, and the bar takes it.
    void take(HWND bar);
    // WM_ACTIVATE: a click made the bar active (the window it came from is remembered),
    // or another window took the keyboard.
    // True when that ended keyboard mode.
    bool onActivate(HWND bar, WPARAM wParam, LPARAM lParam);
    // Leaves keyboard mode; with giveBack, the keyboard goes to the window that had it
    // before the bar, or to the next window below, so a bar out of sight keeps none.
    // True when the mode ended (the tiles draw without focus again).
    bool leave(HWND bar, bool giveBack);

private:
    bool hotKeyRegistered_ = false;
    bool hotKeyReported_ = false;
    bool active_ = false;
    HWND previousForeground_ = nullptr;
};
