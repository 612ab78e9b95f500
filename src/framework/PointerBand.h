// An unseen window over a strip of the screen that tells its holder when the pointer enters it.
#pragma once

#include <windows.h>

#include "Window.h"

// Topmost, never activated, in no taskbar, all but transparent: the pointer that enters it
// arrives as a mouse message, however it got there, so its holder need not ask where it is.
class PointerBand : public Window {
public:
    // Over the rectangle (screen coordinates), above the topmost band of windows. Each move of
    // the pointer in it is sent to the holder as the message, with the point on the screen
    // (GET_X_LPARAM, GET_Y_LPARAM).
    void show(const RECT& band, HWND holder, UINT message);
    void hide();
    bool shown() const { return shown_; }

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND holder_ = nullptr;
    UINT message_ = 0;
    RECT band_{};
    bool shown_ = false;
};
