// The bar by keyboard: the hotkey that brings it out, the keys that move the focus, start, page and open the menu.
#include "AutoHide.h"
#include "BarIds.h"
#include "BarKeys.h"
#include "BarTexts.h"
#include "LauncherBar.h"
#include "framework/WinApp.h"

namespace {

// "Ctrl+Alt+Z", as the keyboard names its keys.
std::string hotKeyName(int stored)
{
    std::string name;
    int flags = (stored >> 8) & 0xFF;
    if (flags & HOTKEYF_CONTROL)
        name += "Ctrl+";
    if (flags & HOTKEYF_ALT)
        name += "Alt+";
    if (flags & HOTKEYF_SHIFT)
        name += "Shift+";
    char key[64] = {};
    LONG scan = static_cast<LONG>(MapVirtualKeyA(static_cast<UINT>(hotKeyKey(stored)), 0)) << 16;
    if (flags & HOTKEYF_EXT)
        scan |= 1 << 24;
    if (GetKeyNameTextA(scan, key, sizeof key) > 0)
        name += key;
    else
        name += std::to_string(hotKeyKey(stored));
    return name;
}

} // namespace

void LauncherBar::registerHotKey()
{
    if (hotKeyRegistered_)
        UnregisterHotKey(hwnd(), kHotKeyId);
    hotKeyRegistered_ = false;
    if (hotKeyKey(HotKey) == 0)
        return;
    // MOD_NOREPEAT (Windows 7 and later; ignored before): a held key is one press.
    hotKeyRegistered_ = RegisterHotKey(hwnd(), kHotKeyId, hotKeyModifiers(HotKey) | 0x4000,
                                       static_cast<UINT>(hotKeyKey(HotKey))) != FALSE;
    // Another program holds the key: said once, after the bar stands; the bar works without it.
    if (!hotKeyRegistered_ && !hotKeyReported_) {
        hotKeyReported_ = true;
        PostMessageA(hwnd(), WM_BAR_HOTKEY_TAKEN, 0, 0);
    }
}

void LauncherBar::reportHotKeyTaken()
{
    std::string text = std::string(kHotKeyTakenText) + "\n" + hotKeyName(HotKey);
    MessageBeep(MB_ICONASTERISK);
    showMessageBox(hwnd(), text.c_str(), kInformationCaption, MB_OK | MB_ICONINFORMATION);
}

void LauncherBar::onHotKey()
{
    // A dialog or box of the bar is open: it keeps the keyboard.
    if (!IsWindowEnabled(hwnd()))
        return;
    HWND foreground = GetForegroundWindow();
    if (foreground != hwnd() && !IsChild(hwnd(), foreground))
        previousForeground_ = foreground;
    if (IsIconic(hwnd()))
        ShowWindow(hwnd(), SW_RESTORE);
    if (userHidden) {
        userHidden = 0;
        ShowWindow(hwnd(), SW_SHOWNORMAL);
    }
    if (!barShown) {
        // Slid out as the pointer would call it.
        if (screenStale_)
            readScreen();
        const RECT& edges = screen_.edges;
        AutoHideInput in{1, 0, false, 0, MenuPos, MenuPos ? static_cast<int>(edges.bottom) - 1 : static_cast<int>(edges.top),
                         static_cast<int>(edges.bottom), kBarHeight, SilentSize};
        in.dpi = dpi_;
        in.screenTop = edges.top;
        AutoHideResult step = autoHideStep(in);
        barShown = 1;
        for (int i = 0; i < step.count; ++i)
            SetWindowPos(hwnd(), insertAfter(), edges.left, step.moves[i].y, screen_.width, step.moves[i].height,
                         SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    keyboardMode_ = true;
    SetForegroundWindow(hwnd());
    // The focus shows from now on, as after any key.
    SendMessageA(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    HWND focus = GetFocus();
    if (!focus || (focus != hwnd() && !IsChild(hwnd(), focus)) || focus == hwnd()) {
        std::vector<HWND> order = focusOrder();
        SetFocus(order.size() > 1 ? order[1] : order.front());
    }
    for (BitmapButton* button : {&sysMenuButton, &iconButton, &changeButton, &nextButton, &beforeButton})
        InvalidateRect(button->hwnd(), nullptr, FALSE);
}

namespace {

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

void LauncherBar::endKeyboardMode(bool giveBack)
{
    if (keyboardMode_) {
        keyboardMode_ = false;
        for (BitmapButton* button : {&sysMenuButton, &iconButton, &changeButton, &nextButton, &beforeButton})
            InvalidateRect(button->hwnd(), nullptr, FALSE);
    }
    HWND previous = previousForeground_;
    previousForeground_ = nullptr;
    if (!giveBack)
        return;
    // The keyboard goes back to the window that had it; where there is none, to the next
    // window below, or at least away from every button (auto-hide may take the bar in).
    HWND self = hwnd();
    HWND foreground = GetForegroundWindow();
    if (foreground != self && !IsChild(self, foreground))
        return;
    HWND to = previous && IsWindow(previous) && IsWindowVisible(previous) ? previous : windowBelow(self);
    if (!to || !SetForegroundWindow(to))
        SetFocus(nullptr);
}

std::vector<HWND> LauncherBar::focusOrder() const
{
    std::vector<HWND> order{sysMenuButton.hwnd()};
    for (int slot = 0; slot < MenuSize; ++slot)
        if (launchButtons[slot])
            order.push_back(launchButtons[slot]->hwnd());
    for (HWND button : {helpButton.hwnd(), beforeButton.hwnd(), nextButton.hwnd(), changeButton.hwnd(), iconButton.hwnd()})
        order.push_back(button);
    return order;
}

bool LauncherBar::translateKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd))
        return false;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg.wParam) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_TAB:
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_APPS:
    case VK_ESCAPE:
        break;
    case VK_F10:
        if (shift)
            break;
        return false;
    default:
        return false;
    }
    if (msg.wParam == VK_ESCAPE) {
        // Esc ends a drag where it began; otherwise it gives the keyboard back.
        for (auto& button : launchButtons) {
            if (button && button->dragging()) {
                button->cancelDrag();
                return true;
            }
        }
        endKeyboardMode(true);
        return true;
    }
    // A bar out of sight or under a dialog acts on no key; a key held down acts once:
    // its repeats start, page and open nothing.
    bool repeat = (msg.lParam & (1 << 30)) != 0;
    if (!acceptsInput() || (repeat && msg.wParam != VK_LEFT && msg.wParam != VK_RIGHT && msg.wParam != VK_TAB))
        return true;
    std::vector<HWND> order = focusOrder();
    int index = 0;
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        if (order[static_cast<std::size_t>(i)] == msg.hwnd)
            index = i;
    auto focusAt = [&](int at) {
        std::vector<HWND> now = focusOrder();
        if (!now.empty())
            SetFocus(now[static_cast<std::size_t>(std::min(at, static_cast<int>(now.size()) - 1))]);
    };
    switch (msg.wParam) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_TAB:
        focusAt(nextFocus(index, static_cast<int>(order.size()), msg.wParam == VK_LEFT || (msg.wParam == VK_TAB && shift)));
        return true;
    case VK_RETURN: {
        int slot = index - 1;
        if (slot >= 0 && slot < MenuSize && launchButtons[slot]) {
            // As its click starts it: the same rule, the same boxes.
            launchButtons[slot]->startItem();
        } else if (msg.hwnd != hwnd()) {
            // The other buttons as clicked.
            HWND button = msg.hwnd;
            SendMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
        return true;
    }
    case VK_PRIOR:
    case VK_NEXT: {
        HWND self = hwnd();
        onCommand(msg.wParam == VK_PRIOR ? kIdBefore : kIdNext, BN_CLICKED);
        // The page turned under the focus: it stays where it was.
        if (IsWindow(self) && GetFocus() == self)
            focusAt(index);
        return true;
    }
    case VK_F10:
    case VK_APPS:
        showCommandMenu();
        return true;
    }
    return false;
}
