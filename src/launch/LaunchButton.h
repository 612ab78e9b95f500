// The push button of one slot of the shown page.
#pragma once

#include "framework/Window.h"

class LauncherBar;

class LaunchButton : public SubclassedControl {
public:
    explicit LaunchButton(int slot) : slot(slot) {}

    const int slot; // position on the page and index into the bar's item table
    int armed = 0;  // set by a left press inside the button, cleared by the next left release

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
