// The settings dialog.
#include "SettingsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "DialogTexts.h"
#include "bar/BarKeyboard.h"
#include "bar/BarScreen.h"
#include "bar/BarSettings.h"
#include "bar/LauncherBar.h"
#include "framework/LateBound.h"
#include "framework/WinApp.h"

namespace {

constexpr int kCountBox = 1000;
constexpr int kSpin = 1013;
constexpr int kOverTopBox = 1014;
constexpr int kSilentBox = 1015;
constexpr int kAppBarBox = 1016;
constexpr int kShowIconsBox = 1017;
constexpr int kMonitorList = 1018;
constexpr int kHotKeyBox = 1019;
// A list of monitors longer than any desk holds.
constexpr int kMostMonitors = 16;

// "1（メイン） 1920×1080": the number the bar counts by, and what the user sees of it.
std::string monitorLabel(int number, const std::vector<HMONITOR>& monitors)
{
    std::string label = std::to_string(number);
    if (number == 1)
        label += kMonitorPrimary;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (number > static_cast<int>(monitors.size()) ||
        !GetMonitorInfoA(monitors[static_cast<std::size_t>(number - 1)], &info))
        return label + kMonitorMissing;
    return label + " " + std::to_string(info.rcMonitor.right - info.rcMonitor.left) + kMonitorSizeBy +
           std::to_string(info.rcMonitor.bottom - info.rcMonitor.top);
}

// The hotkey control draws the key in the system's words ("Control + Alt + Z" under
// Wine); the box shows the program's own, where and as the control would draw it.
LRESULT CALLBACK hotKeyBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (message == WM_NCDESTROY) {
        lateBound::removeWindowSubclass(box, hotKeyBoxProc, id);
    } else if (message == WM_PAINT) {
        int stored = static_cast<int>(SendMessageA(box, HKM_GETHOTKEY, 0, 0) & 0xFFFF);
        // Modifiers held while a key is being typed show as the control shows them.
        int held = (GetKeyState(VK_CONTROL) < 0 ? HOTKEYF_CONTROL : 0) | (GetKeyState(VK_MENU) < 0 ? HOTKEYF_ALT : 0) |
                   (GetKeyState(VK_SHIFT) < 0 ? HOTKEYF_SHIFT : 0);
        bool focused = GetFocus() == box;
        std::string text = hotKeyKey(stored) ? hotKeyName(stored) : focused && held ? hotKeyText(held << 8, "") : kHotKeyNone;
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(box, &paint);
        RECT client{};
        GetClientRect(box, &client);
        bool enabled = IsWindowEnabled(box) != FALSE;
        FillRect(dc, &client, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
        DcSelection font(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        POINT at{GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)};
        TextOutA(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        if (focused)
            SetCaretPos(at.x + size.cx, at.y);
        EndPaint(box, &paint);
        return 0;
    }
    return lateBound::defSubclassProc(box, message, wParam, lParam);
}

} // namespace

SettingsDialog::SettingsDialog(LauncherBar& bar)
    : Dialog(kSettingsTemplate, bar.hwnd()), OverTop(bar.OverTop), Silent(bar.Silent), MenuSize(bar.MenuSize),
      AppBar(bar.AppBar), ShowIcons(bar.ShowIcons), Monitor(bar.Monitor), HotKey(bar.HotKey), bar_(bar)
{
    // The spin and hotkey controls' classes must exist before the template is read.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS};
    lateBound::initCommonControlsEx(&controls);
}

bool SettingsDialog::onInitDialog()
{
    bool result = Dialog::onInitDialog();
    // Without a range the control counts from 100 down to 0, so its up arrow
    // would lower the count. Setting it leaves the box's text alone.
    SendDlgItemMessageA(hwnd(), kSpin, UDM_SETRANGE32, kMinMenuSize, kMaxMenuSize);
    // The monitors there are, and the stored one even when it is not there now.
    int monitors = GetSystemMetrics(SM_CMONITORS);
    int shown = Monitor < 1 ? 1 : Monitor;
    int count = std::min(std::max(monitors, shown), kMostMonitors);
    std::vector<HMONITOR> present = monitorsInOrder();
    for (int n = 1; n <= count; ++n)
        SendDlgItemMessageA(hwnd(), kMonitorList, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(monitorLabel(n, present).c_str()));
    SendDlgItemMessageA(hwnd(), kMonitorList, CB_SETCURSEL, static_cast<WPARAM>(std::min(shown, count) - 1), 0);
    // A key alone would take that key from every program: a modifier is always added.
    SendDlgItemMessageA(hwnd(), kHotKeyBox, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, HOTKEYF_CONTROL | HOTKEYF_ALT);
    SendDlgItemMessageA(hwnd(), kHotKeyBox, HKM_SETHOTKEY, static_cast<WPARAM>(HotKey & 0xFFFF), 0);
    lateBound::setWindowSubclass(GetDlgItem(hwnd(), kHotKeyBox), hotKeyBoxProc, 0, 0);
    shownAtOpen_ = newerControlStates();
    return result;
}

std::array<int, SettingsDialog::kNewerControls> SettingsDialog::newerControlStates() const
{
    return {static_cast<int>(IsDlgButtonChecked(hwnd(), kAppBarBox)),
            static_cast<int>(IsDlgButtonChecked(hwnd(), kShowIconsBox)),
            static_cast<int>(SendDlgItemMessageA(hwnd(), kMonitorList, CB_GETCURSEL, 0, 0)),
            static_cast<int>(SendDlgItemMessageA(hwnd(), kHotKeyBox, HKM_GETHOTKEY, 0, 0) & 0xFFFF)};
}

void SettingsDialog::exchange(DataExchange& dx)
{
    dx.checkBox(kOverTopBox, OverTop);
    dx.checkBox(kSilentBox, Silent);
    dx.integer(kCountBox, MenuSize);
    dx.checkBox(kAppBarBox, AppBar);
    dx.checkBox(kShowIconsBox, ShowIcons);
    if (dx.toFields()) {
        LRESULT chosen = SendDlgItemMessageA(hwnd(), kMonitorList, CB_GETCURSEL, 0, 0);
        if (chosen != CB_ERR)
            Monitor = static_cast<int>(chosen) + 1;
        HotKey = static_cast<int>(SendDlgItemMessageA(hwnd(), kHotKeyBox, HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    }
}

void SettingsDialog::onOk()
{
    if (!updateData(true))
        return;
    if (MenuSize < kMinMenuSize) {
        MessageBeep(MB_ICONASTERISK);
        showMessageBox(hwnd(), kMenuSizeMinimumText, kInformationCaption, MB_OK | MB_ICONINFORMATION);
        MenuSize = kMinMenuSize;
    }
    if (MenuSize > kMaxMenuSize) {
        MessageBeep(MB_ICONASTERISK);
        showMessageBox(hwnd(), kMenuSizeMaximumText, kInformationCaption, MB_OK | MB_ICONINFORMATION);
        MenuSize = kMaxMenuSize;
    }
    const Profile& profile = WinApp::instance()->profile();
    const int before[] = {bar_.MenuSize, bar_.OverTop, bar_.Silent, bar_.AppBar, bar_.ShowIcons, bar_.Monitor, bar_.HotKey};
    ProfileWrites writes(profile);
    writes.writeInt("Env", "Current", bar_.Current);
    bar_.MenuSize = MenuSize;
    writes.writeInt("Env", "MenuSize", bar_.MenuSize);
    bar_.OverTop = OverTop;
    writes.writeInt("Env", "OverTop", bar_.OverTop);
    bar_.Silent = Silent;
    writes.writeInt("Env", "Silent", bar_.Silent);
    writes.write("Env", "MenuPos", std::to_string(bar_.MenuPos));
    // The newer keys, after the five, and only those whose control the user changed: a
    // hand-set value the controls cannot show (AppBar=7, Monitor=17) stays as it is.
    const std::array<int, kNewerControls> now = newerControlStates();
    const std::tuple<const char*, int*, int> newer[kNewerControls] = {
        {"AppBar", &bar_.AppBar, AppBar},
        {"ShowIcons", &bar_.ShowIcons, ShowIcons},
        {"Monitor", &bar_.Monitor, Monitor},
        {"HotKey", &bar_.HotKey, HotKey},
    };
    for (std::size_t i = 0; i < kNewerControls; ++i) {
        auto [key, field, value] = newer[i];
        if (now[i] != shownAtOpen_[i]) {
            *field = value;
            writes.writeInt("Env", key, value);
        }
    }
    if (!writes.commit()) {
        // Not saved: the bar keeps its settings and the dialog stays open, to try again or cancel.
        int* fields[] = {&bar_.MenuSize, &bar_.OverTop, &bar_.Silent, &bar_.AppBar, &bar_.ShowIcons, &bar_.Monitor,
                         &bar_.HotKey};
        for (std::size_t i = 0; i < std::size(fields); ++i)
            *fields[i] = before[i];
        profile.reportWriteFailure(hwnd());
        return;
    }
    endDialog(IDOK);
}
