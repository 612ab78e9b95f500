// A launch button's own menu: open, run as administrator, the file's folder, its properties, edit, empty, the shell's menu.
#include "ItemMenu.h"

#include "LaunchTexts.h"
#include "framework/Handles.h"
#include "framework/WinApp.h"

namespace {

// Beside the button, on its monitor: above one in the lower half (a bar at the bottom), below
// one in the upper half, never over it.
UINT placeBeside(const RECT& button, POINT& at, bool byKeyboard)
{
    HMONITOR monitor = MonitorFromRect(&button, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    bool lower = (button.top + button.bottom) / 2 > (info.rcMonitor.top + info.rcMonitor.bottom) / 2;
    if (byKeyboard)
        at.x = button.left;
    at.y = lower ? button.top : button.bottom;
    return lower ? TPM_BOTTOMALIGN : TPM_TOPALIGN;
}

} // namespace

UINT chooseItemMenuEntry(HWND button, const std::string& command, const ResolvedCommand& resolved, POINT at,
                         bool byKeyboard, ShellMenu& shell)
{
    Menu menu(CreatePopupMenu());
    if (command.empty()) {
        AppendMenuA(menu.get(), MF_STRING, kItemRegister, kItemMenuRegister);
    } else {
        AppendMenuA(menu.get(), MF_STRING, kItemOpen, kItemMenuOpen);
        // The click's action, in bold.
        SetMenuDefaultItem(menu.get(), kItemOpen, FALSE);
        if (resolved.kind == StartKind::program || resolved.kind == StartKind::batch)
            AppendMenuA(menu.get(), MF_STRING, kItemRunAs, kItemMenuRunAs);
        if (resolved.kind != StartKind::missing) {
            AppendMenuA(menu.get(), MF_STRING, kItemLocation, kItemMenuLocation);
            AppendMenuA(menu.get(), MF_STRING, kItemProperties, kItemMenuProperties);
        }
        AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu.get(), MF_STRING, kItemEdit, kItemMenuEdit);
        AppendMenuA(menu.get(), MF_STRING, kItemEmpty, kItemMenuEmpty);
        // What other programs add to the file's menu in Explorer is here too.
        Menu more(CreatePopupMenu());
        if (resolved.kind != StartKind::missing &&
            shell.fill(button, more.get(), resolved.file, kItemShellFirst, kItemShellLast)) {
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
            // The menu owns its submenu from now on.
            AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(more.get()), kItemMenuMore);
            more.forget();
        }
    }
    RECT rect{};
    GetWindowRect(button, &rect);
    UINT align = placeBeside(rect, at, byKeyboard);
    HWND holder = GetParent(button);
    // As the command menu: the holder in front, so a click elsewhere closes the menu.
    SetForegroundWindow(holder);
    UINT chosen = 0;
    {
        ModalLoop modal;
        TPMPARAMS params{};
        params.cbSize = sizeof params;
        params.rcExclude = rect;
        chosen = static_cast<UINT>(TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN |
                                                                    TPM_VERTICAL | align,
                                                    at.x, at.y, button, &params));
    }
    PostMessageA(holder, WM_NULL, 0, 0);
    return chosen;
}
