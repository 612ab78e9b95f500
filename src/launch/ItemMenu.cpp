// A launch button's own menu: open, run as administrator, the file's folder, its properties, edit, empty, the shell's menu.
#include "LaunchButton.h"

#include "LaunchTexts.h"
#include "framework/FrameworkTexts.h"
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

void LaunchButton::showItemMenu(POINT screenPoint, bool byKeyboard)
{
    if (!site_.acceptsInput())
        return;
    // What the item's command names now: the entries follow the rule every start follows.
    const std::string command = site_.commandAt(slot);
    ResolvedCommand resolved;
    if (!command.empty())
        resolved = resolveCommand(command, systemFileLookup(), isAnsiLeadByte);
    Menu menu(CreatePopupMenu());
    Menu more;
    shellMenu_.reset();
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
        if (resolved.kind != StartKind::missing) {
            // What other programs add to the file's menu in Explorer is here too.
            more.reset(CreatePopupMenu());
            shellMenu_ = std::make_unique<ShellMenu>();
            if (shellMenu_->fill(hwnd_, more.get(), resolved.file, kItemShellFirst, kItemShellLast)) {
                AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
                // The menu owns its submenu from now on.
                AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(more.get()), kItemMenuMore);
                more.forget();
            } else {
                shellMenu_.reset();
            }
        }
    }
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    UINT align = placeBeside(rect, screenPoint, byKeyboard);
    HWND holder = GetParent(hwnd_);
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
                                                    screenPoint.x, screenPoint.y, hwnd_, &params));
    }
    PostMessageA(holder, WM_NULL, 0, 0);
    if (chosen)
        doMenuEntry(chosen);
    shellMenu_.reset();
}

void LaunchButton::doMenuEntry(UINT entry)
{
    // Chosen under the menu's own loop: the bar may have gone out of sight since.
    if (!site_.acceptsInput())
        return;
    const std::string command = site_.commandAt(slot);
    ResolvedCommand resolved;
    if (!command.empty())
        resolved = resolveCommand(command, systemFileLookup(), isAnsiLeadByte);
    auto failed = [&](const char* text) { reportError(std::string(text) + "\n" + resolved.file); };
    switch (entry) {
    case kItemOpen:
        startItem();
        break;
    case kItemRunAs:
        reportStart(runAsAdministrator(command));
        break;
    case kItemLocation:
        if (resolved.kind != StartKind::missing && !openFileLocation(resolved.file))
            failed(kLocationFailedText);
        break;
    case kItemProperties:
        if (resolved.kind != StartKind::missing && !showProperties(resolved.file))
            failed(kPropertiesFailedText);
        break;
    case kItemEmpty: {
        // A menu entry is easy to hit: an item that holds something is emptied only when confirmed.
        if (!command.empty() || !site_.nameAt(slot).empty()) {
            std::string question = kEmptyQuestionStart + std::to_string(site_.itemNumber(slot)) + kEmptyQuestionEnd +
                                   "\n" + site_.nameAt(slot);
            if (showMessageBox(hwnd_, question.c_str(), kInformationCaption,
                               MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
                break;
        }
        storeItem(std::string(), std::string());
        break;
    }
    case kItemEdit:
    case kItemRegister:
        site_.editItem(*this); // relays the bar out: nothing of this button after it
        return;
    default:
        if (shellMenu_ && shellMenu_->owns(entry))
            shellMenu_->invoke(hwnd_, entry);
        break;
    }
}
