// Launch buttons.
#include "LaunchButton.h"

LRESULT LaunchButton::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return defaultProc(message, wParam, lParam);
}
