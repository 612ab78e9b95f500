// The bar's keyboard: the hotkey, the keyboard mode, and giving the keyboard back.
#include "BarKeyboard.h"

#include <commctrl.h>

#include <string>

#include "BarIds.h"
#include "BarTexts.h"
#include "framework/WinApp.h"

namespace {

// Another bar of this program is running: it most likely holds the key (the program
// started twice, by hand and with Windows).
bool anotherBarRuns(HWND bar)
{
    char name[64] = {};
    GetClassNameA(bar, name, sizeof name);
    for (HWND w = FindWindowExA(nullptr, nullptr, name, nullptr); w; w = FindWindowExA(nullptr, w, name, nullptr))
        if (w != bar)
            return true;
    return false;
}

bool isOurs(HWND bar, HWND window)
{
    return window == bar || IsChild(bar, window);
}

// The window Windows itself would activate when the bar steps aside: the next one below
// it that a user could be typing into.
HWND windowBelow(HWND bar)
{
    for (HWND w = GetWindow(bar, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        LONG_PTR exStyle = GetWindowLongPtrA(w, GWL_EXSTYLE);
        if (IsWindowVisible(w) && IsWindowEnabled(w) && !IsIconic(w) && !GetWindow(w, GW_OWNER) &&
            !(exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)))
            return w;
    }
    return nullptr;
}

} // namespace

std::string hotKeyName(int stored)
{
    char name[64] = {};
    LONG scan = static_cast<LONG>(MapVirtualKeyA(static_cast<UINT>(hotKeyKey(stored)), 0)) << 16;
    if ((stored >> 8) & HOTKEYF_EXT)
        scan |= 1 << 24;
    if (hotKeyKey(stored) == 0 || GetKeyNameTextA(scan, name, sizeof name) <= 0)
        name[0] = '\0';
    return hotKeyText(stored, name);
}

void BarKeyboard::registerHotKey(HWND bar, int stored, UINT takenMessage)
{
    unregisterHotKey(bar);
    if (hotKeyKey(stored) == 0)
        return;
    // MOD_NOREPEAT (Windows 7 and later; ignored before): a held key is one press.
    hotKeyRegistered_ =
        RegisterHotKey(bar, kHotKeyId, hotKeyModifiers(stored) | 0x4000, static_cast<UINT>(hotKeyKey(stored))) != FALSE;
    // Another program holds the key: said once, after the bar stands; the bar works without it.
    if (!hotKeyRegistered_ && !hotKeyReported_) {
        hotKeyReported_ = true;
        PostMessageA(bar, takenMessage, 0, 0);
    }
}

void BarKeyboard::unregisterHotKey(HWND bar)
{
    if (hotKeyRegistered_)
        UnregisterHotKey(bar, kHotKeyId);
    hotKeyRegistered_ = false;
}

void BarKeyboard::reportTaken(HWND bar, int stored) const
{
    bool ours = anotherBarRuns(bar);
    std::string text = std::string(ours ? kHotKeyOursText : kHotKeyTakenText) + "\n" + hotKeyName(stored) + "\n" +
                       (ours ? kHotKeyOursNext : kHotKeyTakenNext) + "\n" + kHotKeyWhere;
    MessageBeep(MB_ICONASTERISK);
    showMessageBox(bar, text.c_str(), kInformationCaption, MB_OK | MB_ICONINFORMATION);
}

void BarKeyboard::take(HWND bar)
{
    HWND foreground = GetForegroundWindow();
    if (!isOurs(bar, foreground))
        previousForeground_ = foreground;
    active_ = true;
}

bool BarKeyboard::onActivate(HWND bar, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == WA_INACTIVE)
        return leave(bar, false);
    // A click made the bar active: the window it came from gets the keyboard back.
    if (HWND other = reinterpret_cast<HWND>(lParam); other && !isOurs(bar, other))
        previousForeground_ = other;
    return false;
}

bool BarKeyboard::leave(HWND bar, bool giveBack)
{
    bool wasActive = active_;
    active_ = false;
    HWND previous = previousForeground_;
    previousForeground_ = nullptr;
    // The keyboard goes back to the window that had it; where there is none, to the next
    // window below, or at least away from every button (auto-hide may take the bar in).
    if (giveBack && isOurs(bar, GetForegroundWindow())) {
        HWND to = previous && IsWindow(previous) && IsWindowVisible(previous) ? previous : windowBelow(bar);
        if (!to || !SetForegroundWindow(to))
            SetFocus(nullptr);
    }
    return wasActive;
}
