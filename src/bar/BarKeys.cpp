// The bar by keyboard: the hotkey that brings it out, and what its keys do.
#include <algorithm>

#include "AutoHide.h"
#include "BarIds.h"
#include "BarKeyboard.h"
#include "LauncherBar.h"

void LauncherBar::registerHotKey()
{
    keyboard_.registerHotKey(hwnd(), HotKey, WM_BAR_HOTKEY_TAKEN);
}

void LauncherBar::onHotKey()
{
    // A dialog or box of the bar is open: it keeps the keyboard.
    if (!IsWindowEnabled(hwnd()))
        return;
    keyboard_.take(hwnd());
    if (IsIconic(hwnd()))
        ShowWindow(hwnd(), SW_RESTORE);
    if (userHidden) {
        userHidden = 0;
        ShowWindow(hwnd(), SW_SHOWNORMAL);
    }
    if (!barShown) {
        // Slid out as the pointer would call it.
        if (screen_.stale())
            screen_.read(hwnd(), Monitor);
        const RECT& edges = screen_.edges();
        AutoHideInput in{1, 0, false, 0, MenuPos, MenuPos ? static_cast<int>(edges.bottom) - 1 : static_cast<int>(edges.top),
                         static_cast<int>(edges.bottom), kBarHeight, SilentSize};
        in.dpi = dpi();
        in.screenTop = edges.top;
        AutoHideResult step = autoHideStep(in);
        barShown = 1;
        slide(step, edges);
    }
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

void LauncherBar::leaveKeyboard(bool giveBack)
{
    if (keyboard_.leave(hwnd(), giveBack))
        for (BitmapButton* button : {&sysMenuButton, &iconButton, &changeButton, &nextButton, &beforeButton})
            InvalidateRect(button->hwnd(), nullptr, FALSE);
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
    bool repeat = (msg.lParam & (1 << 30)) != 0;
    BarKey key = barKeyFor(static_cast<unsigned>(msg.wParam), GetKeyState(VK_SHIFT) < 0, repeat, acceptsInput());
    if (key == BarKey::none)
        return false;
    std::vector<HWND> order = focusOrder();
    int index = 0;
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        if (order[static_cast<std::size_t>(i)] == msg.hwnd)
            index = i;
    auto focusAt = [&](int at) {
        std::vector<HWND> now = focusOrder();
        if (!now.empty())
            SetFocus(now[static_cast<std::size_t>(std::min(at, static_cast<int>(now.size()) - 1))]);
        // The keyboard moved the focus: from now on it shows.
        SendMessageA(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    };
    switch (key) {
    case BarKey::none:
    case BarKey::ignored:
        break;
    case BarKey::escape:
        // A drag ends where it began; otherwise the keyboard goes back.
        for (auto& button : launchButtons) {
            if (button && button->dragging()) {
                button->cancelDrag();
                return true;
            }
        }
        leaveKeyboard(true);
        break;
    case BarKey::focusOn:
    case BarKey::focusBack:
        focusAt(nextFocus(index, static_cast<int>(order.size()), key == BarKey::focusBack));
        break;
    case BarKey::activate: {
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
        break;
    }
    case BarKey::pageBack:
    case BarKey::pageOn: {
        HWND self = hwnd();
        onCommand(key == BarKey::pageBack ? kIdBefore : kIdNext, BN_CLICKED);
        // The page turned under the focus: it stays where it was.
        if (IsWindow(self) && GetFocus() == self)
            focusAt(index);
        break;
    }
    case BarKey::menu:
        // On a launch button its own menu, anywhere else the bar's.
        if (slotOf(msg.hwnd) >= 0)
            SendMessageA(msg.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(msg.hwnd), -1);
        else
            showCommandMenu();
        break;
    }
    return true;
}
