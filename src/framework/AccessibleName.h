// Names for screen readers other than a control's window text, answered through WM_GETOBJECT.
#pragma once

#include <windows.h>

#include <string>

// Gives a control the name a screen reader says (the window text stays as it is): the
// control answers WM_GETOBJECT with the system's accessible object of it, its name
// replaced. The name goes with the window; an empty one takes it away.
void setAccessibleName(HWND control, const std::string& name);
