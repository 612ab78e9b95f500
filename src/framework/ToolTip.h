// A tooltip control that describes child windows of its owner, one tool per window.
#pragma once

#include <string>

#include "Window.h"

class ToolTip : public Control {
public:
    // Shown whether or not the tools' window is active: the bar rarely is.
    // Destroyed with this object.
    bool create();
    // Adds the window as a tool, or gives it a new text. Lines break at '\n'.
    void setText(HWND tool, const std::string& text);
    // Before the window goes, so no tool outlives it.
    void remove(HWND tool);
};
