// A tooltip control that describes child windows of its owner, one tool per window.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Handles.h"
#include "Window.h"

class ToolTip : public SubclassedControl {
public:
    // Shown whether or not the tools' window is active: the bar rarely is.
    // Destroyed with this object.
    bool create();
    // Adds the window as a tool, or gives it a new text. Lines break at '\n'. True when
    // the text is new.
    bool setText(HWND tool, const std::string& text);
    // Before the window goes, so no tool outlives it.
    void remove(HWND tool);
    // The tips' font and width for a DPI; at the system's DPI the control's own font.
    void setDpi(int dpi);
    // Takes a shown tip away.
    void pop();
    // Takes a shown tip away and shows none until called again with false,
    // whatever timer the control has already started.
    void hideWhile(bool hidden);

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool hidden_ = false;
    // Each tool's text as the control holds it.
    std::vector<std::pair<HWND, std::string>> texts_;
    int dpi_ = 0;
    Font font_;
};
