// The bar's commands: every command, the command menu, the tray icon, the dialogs, quit, restart, shutdown and help.
#include <span>
#include <string>
#include <string_view>

#include "BarIds.h"
#include "BarSettings.h"
#include "BarTexts.h"
#include "LauncherBar.h"
#include "framework/LateBound.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/ItemEditorDialog.h"
#include "dialogs/SettingsDialog.h"
#include "framework/WinApp.h"

BarSystemCalls barSystemCalls;

namespace {

struct MenuEntry {
    int id; // 0: a separator
    const char* label;
};

constexpr MenuEntry kWin95Menu[] = {
    {kCmdHide, kMenuHide},         {kCmdShow, kMenuShow},      {0, nullptr},
    {kCmdRestart, kMenuRestart},   {kCmdShutdown, kMenuShutdown}, {0, nullptr},
    {kCmdSettings, kMenuSettings}, {kCmdEditItems, kMenuItems},   {0, nullptr},
    {kCmdAbout, kMenuAbout},       {kCmdHelp, kMenuHelp},         {0, nullptr},
    {kCmdQuit, kMenuQuit},
};

constexpr MenuEntry kOtherMenu[] = {
    {kCmdHide, kMenuIconise},         {0, nullptr},
    {kCmdRestart, kMenuRestartKey},   {kCmdShutdown, kMenuShutdownKey}, {0, nullptr},
    {kCmdSettings, kMenuSettingsKey}, {kCmdEditItems, kMenuItemsKey},   {0, nullptr},
    {kCmdAbout, kMenuAboutKey},       {kCmdHelp, kMenuHelpKey},         {0, nullptr},
    {kCmdQuit, kMenuClose},
};

// NT-family systems refuse ExitWindowsEx without it; elsewhere the calls fail harmlessly.
void enableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!lateBound::openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (lateBound::lookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        lateBound::adjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

} // namespace

namespace {

// Commands that destroy the bar or its launch buttons, or open a dialog that
// ends with a relayout. Under a modal loop their caller still uses both.
bool endsThePage(int id, int code)
{
    if (id == kIdSysMenu)
        return code == BN_DOUBLECLICKED;
    switch (id) {
    case kCmdShutdown:
    case kCmdRestart:
    case kCmdQuit:
    case kCmdSettings:
    case kCmdEditItems:
    case kIdChange:
    case kIdNext:
    case kIdBefore:
    case kCmdRelayout:
        return code == BN_CLICKED;
    default:
        return false;
    }
}

} // namespace

void LauncherBar::onCommand(int id, int code)
{
    // Carried out once the loop is over and its caller is done, like a close:
    // a dialog or box of the bar is open, or the Shift-click editor has Current.
    if (WinApp::instance()->inModalLoop() && endsThePage(id, code)) {
        WinApp::instance()->deferMessage(hwnd(), WM_COMMAND, MAKEWPARAM(id, code), 0);
        return;
    }
    if (id == kIdSysMenu && code == BN_DOUBLECLICKED) {
        quit();
        return;
    }
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case kCmdShutdown:
        exitSystem(EWX_SHUTDOWN);
        break;
    case kCmdRestart:
        exitSystem(EWX_REBOOT);
        break;
    case kCmdHide:
    case kIdIcon:
        hideOrMinimise();
        break;
    case kCmdQuit:
        quit(); // the bar is gone: nothing may follow
        break;
    case kCmdShow:
        userHidden = 0;
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        break;
    case kCmdAbout:
        openAbout();
        break;
    case kCmdSettings:
        openSettings();
        break;
    case kCmdEditItems:
        openItemEditor();
        break;
    case kCmdHelp:
    case kIdHelpButton:
        openHelp();
        break;
    case kIdSysMenu:
        showCommandMenu();
        break;
    case kIdChange:
        MenuPos = MenuPos ? 0 : 1;
        layout();
        break;
    case kCmdRelayout:
        relayoutPosted_ = false;
        layout();
        break;
    case kIdNext:
        if (Current + MenuSize > kMaxItem) {
            MessageBeep(MB_ICONASTERISK);
            break;
        }
        Current += MenuSize;
        layout();
        break;
    case kIdBefore:
        if (Current <= 0) {
            MessageBeep(MB_ICONASTERISK);
            break;
        }
        Current -= MenuSize;
        if (Current <= 0)
            Current = 0;
        layout();
        break;
    }
}

void LauncherBar::hideOrMinimise()
{
    if (platformId == VER_PLATFORM_WIN32_WINDOWS) {
        userHidden = 1;
        ShowWindow(hwnd(), SW_HIDE);
    } else {
        ShowWindow(hwnd(), SW_MINIMIZE);
    }
}

void LauncherBar::buildCommandMenu()
{
    commandMenu.reset(CreatePopupMenu());
    std::span<const MenuEntry> entries =
        platformId == VER_PLATFORM_WIN32_WINDOWS ? std::span<const MenuEntry>(kWin95Menu) : kOtherMenu;
    int separators = 0;
    for (const MenuEntry& entry : entries) {
        if (entry.id == 0) {
            AppendMenuA(commandMenu.get(), MF_SEPARATOR, 0, nullptr);
            if (++separators == 2)
                SetWindowTextA(hwnd(), kBarTitle);
        } else {
            AppendMenuA(commandMenu.get(), MF_STRING, static_cast<UINT_PTR>(entry.id), entry.label);
        }
    }
}

void LauncherBar::addTrayIcon()
{
    trayIconData = NOTIFYICONDATAA{};
    // The version-1 record: the layout every shell understands (88 bytes on 32-bit).
    trayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    trayIconData.hWnd = hwnd();
    trayIconData.uID = 1;
    trayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIconData.uCallbackMessage = WM_BAR_TRAY_NOTIFY;
    trayIconData.hIcon = LoadIconA(WinApp::instance()->instanceHandle(), MAKEINTRESOURCEA(kIconId));
    // A version-1 tip holds 64 bytes with its terminator.
    std::string_view tip(kBarTitle);
    tip.copy(trayIconData.szTip, 63);
    barSystemCalls.notifyIcon(NIM_ADD, &trayIconData);
}

void LauncherBar::onTrayNotify(UINT mouseMessage)
{
    // A dialog or message box of the bar is open: the tray must not quit or relayout under it.
    if (!IsWindowEnabled(hwnd()))
        return;
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        POINT pointer{};
        GetCursorPos(&pointer);
        trackCommandMenu(TPM_RIGHTALIGN | TPM_RIGHTBUTTON, pointer.x, pointer.y, nullptr);
        break;
    }
    case WM_LBUTTONDBLCLK:
        if (userHidden) {
            userHidden = 0;
            ShowWindow(hwnd(), SW_SHOWNORMAL);
        } else {
            userHidden = 1;
            ShowWindow(hwnd(), SW_HIDE);
        }
        break;
    }
}

void LauncherBar::showCommandMenu()
{
    // Beside SYSMENU on the bar's own monitor, at the bar's scale: below a bar at the top,
    // above one at the bottom, never over the bar (at 96 DPI its left edge at x 20).
    RECT bar{};
    GetWindowRect(hwnd(), &bar);
    int x = bar.left + metrics().sysMenuWidth() + scaled(1, dpi());
    UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON | (MenuPos ? TPM_BOTTOMALIGN : TPM_TOPALIGN);
    trackCommandMenu(flags, x, MenuPos ? bar.top : bar.bottom, &bar);
}

void LauncherBar::trackCommandMenu(UINT flags, int x, int y, const RECT* exclude)
{
    HWND self = hwnd();
    SetForegroundWindow(self);
    // The SYSMENU tip would stay over the menu it opened, covering an entry.
    tips.hideWhile(true);
    {
        ModalLoop modal;
        // The system keeps the menu on the monitor of its point, and off what is excluded.
        TPMPARAMS params{};
        params.cbSize = sizeof params;
        if (exclude)
            params.rcExclude = *exclude;
        TrackPopupMenuEx(commandMenu.get(), flags | (exclude ? TPM_VERTICAL : 0), x, y, self,
                         exclude ? &params : nullptr);
    }
    if (IsWindow(self))
        tips.hideWhile(false);
    // The chosen command may already have ended the bar: only the saved handle is used.
    PostMessageA(self, WM_NULL, 0, 0);
}

void LauncherBar::quit()
{
    commandMenu.reset(); // DestroyMenu; the owner then holds no handle
    // The box runs before the window goes, so the user learns the settings were lost.
    if (!saveSettings())
        WinApp::instance()->profile().reportWriteFailure(hwnd());
    // The last action: the bar object is deleted inside.
    DestroyWindow(hwnd());
}

namespace {

// The menu's key X is, in most programs, the program's own end: the system's end is asked
// for first, with "No" the default, and the program's own quit named.
bool confirmExit(HWND bar, UINT how, int platformId)
{
    std::string text = how == EWX_REBOOT ? kConfirmRestartText : kConfirmShutdownText;
    text += std::string("\n") + kConfirmQuitHint + (platformId == VER_PLATFORM_WIN32_WINDOWS ? kMenuQuit : kQuitLabel) +
            kConfirmQuitHintEnd;
    return showMessageBox(bar, text.c_str(), kConfirmCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

} // namespace

void LauncherBar::exitSystem(UINT how)
{
    if (!confirmExit(hwnd(), how, platformId))
        return;
    if (!saveSettings())
        WinApp::instance()->profile().reportWriteFailure(hwnd());
    enableShutdownPrivilege();
    if (!barSystemCalls.exitWindows(how, 0)) {
        MessageBeep(MB_ICONHAND);
        showMessageBox(hwnd(), how == EWX_REBOOT ? kRestartFailedText : kExitFailedText, kErrorCaption,
                       MB_OK | MB_ICONHAND);
    }
}

void LauncherBar::openHelp()
{
    const std::string& helpFile = WinApp::instance()->helpPath();
    if (pathKind(helpFile) == PathKind::file && barSystemCalls.winHelp(hwnd(), helpFile.c_str(), HELP_CONTENTS, 0))
        return;
    // The help path always ends in ".HLP"; the page beside it is named like it.
    std::string page = helpFile.substr(0, helpFile.size() - 4) + ".HTM";
    if (pathKind(page) != PathKind::file) {
        std::string text = std::string(kNoHelpText) + "\n" + page + "\n" + kNoHelpNext;
        MessageBeep(MB_ICONASTERISK);
        showMessageBox(hwnd(), text.c_str(), kInformationCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    HINSTANCE started = barSystemCalls.shellExecute(hwnd(), "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(started) > 32)
        return;
    // The page is there, but nothing could show it (no program for .HTM files).
    std::string text = std::string(kHelpNotOpenedText) + "\n" + page + "\n" + kHelpNotOpenedNext;
    MessageBeep(MB_ICONHAND);
    showMessageBox(hwnd(), text.c_str(), kErrorCaption, MB_OK | MB_ICONHAND);
}

INT_PTR LauncherBar::openAbout()
{
    Dialog about(kAboutTemplate, hwnd());
    return about.runModal();
}

INT_PTR LauncherBar::openSettings()
{
    SettingsDialog dialog(*this);
    INT_PTR result = dialog.runModal();
    if (result == IDOK) {
        registerHotKey();
        layout();
    }
    return result;
}

INT_PTR LauncherBar::openItemEditor()
{
    ItemEditorDialog dialog(hwnd(), -1, Current);
    INT_PTR result = dialog.runModal();
    if (result == IDOK)
        layout();
    return result;
}

void LauncherBar::editItem(LaunchButton& button)
{
    int item = itemNumber(button.slot);
    // The editor takes its block from Current.
    int remembered = Current;
    Current = item;
    {
        ItemEditorDialog dialog(button.hwnd(), item, Current);
        dialog.runModal();
    }
    Current = remembered;
    // Destroys every launch button, the caller's too: its handler must not touch it afterwards.
    layout();
}
