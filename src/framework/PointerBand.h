// An unseen window over a strip of the screen that tells its holder when the pointer enters it.
#pragma once

#include <windows.h>

#include "Window.h"

class PointerBandSite {
public:
    // The pointer moved in the band, at this point of the screen.
    virtual void pointerInBand(POINT screenPoint) = 0;

protected:
    ~PointerBandSite() = default;
};

// Topmost, never activated, in no taskbar, all but transparent: the pointer that enters it
// arrives as a mouse message, however it got there, so its holder need not ask where it is.
class PointerBand : public Window {
public:
    explicit PointerBand(PointerBandSite& site) : site_(site) {}

    // Over the rectangle (screen coordinates), above the topmost band of windows.
    void show(const RECT& band);
    void hide();
    bool shown() const { return shown_; }

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    PointerBandSite& site_;
    RECT band_{};
    bool shown_ = false;
};
