// Where the bar stands and moves: its place at the edge, its room beside the taskbar, auto-hide on each tick.
#include "AutoHide.h"
#include "BarIds.h"
#include "LauncherBar.h"

void LauncherBar::place()
{
    // Read afresh at every placement, as the bar always did.
    screen_.read(hwnd(), Monitor);
    placeOnScreen();
}

void LauncherBar::placeOnScreen()
{
    appBar_.sync(hwnd(), AppBar != 0, WM_BAR_APPBAR);
    // Shown again: a bar the user had hidden is no longer hidden.
    userHidden = 0;
    const RECT& edges = screen_.edges();
    int width = screen_.width();
    RECT bar{edges.left, MenuPos ? edges.bottom - barHeight : edges.top, edges.left + width, 0};
    if (appBar_.registered()) {
        // The shell's room for the bar at its edge: above the taskbar, below another bar.
        // With auto-hide on it takes no room: the bar slides over whatever is there.
        RECT room = appBar_.reserve(MenuPos ? ABE_BOTTOM : ABE_TOP,
                                    RECT{edges.left, edges.top, edges.left + width, edges.bottom}, Silent ? 0 : barHeight);
        if (!Silent)
            bar = RECT{room.left, room.top, room.right, 0};
    }
    SetWindowPos(hwnd(), insertAfter(), bar.left, bar.top, bar.right - bar.left, barHeight, SWP_SHOWWINDOW);
    barShown = 1;
}

void LauncherBar::onAppBarNotice(UINT notification, LPARAM lParam)
{
    switch (appBar_.onNotice(notification, lParam)) {
    case AppBarRegistration::Notice::positionChanged:
        // The taskbar or another bar moved: the shell may give the bar another place.
        if (!Silent && barShown && !userHidden && !IsIconic(hwnd())) {
            RECT before{};
            GetWindowRect(hwnd(), &before);
            place();
            RECT after{};
            GetWindowRect(hwnd(), &after);
            if (after.right - after.left != before.right - before.left)
                relayoutWhenFree();
        }
        break;
    case AppBarRegistration::Notice::fullScreenChanged:
        // A full-screen program opened (or closed): the bar leaves it the screen,
        // and an auto-hidden bar stays in until it closes.
        if (OverTop)
            SetWindowPos(hwnd(), insertAfter(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    case AppBarRegistration::Notice::none:
        break;
    }
}

bool LauncherBar::needsTicks() const
{
    // Held out while used by keyboard. The cheap path: flag tests first, IsIconic only when they pass.
    return !keyboard_.active() && autoHideWatches(Silent, userHidden, Silent && !userHidden && IsIconic(hwnd()));
}

IdleTickResult LauncherBar::onIdleTick()
{
    // The loop asks before each tick; a tick sent by other means does nothing either.
    if (!needsTicks())
        return {};
    // The tick's one pointer read: its answer also paces the loop.
    POINT pointer{};
    if (!barSystemCalls.cursorPos(&pointer))
        return {};
    bool moved = pointer.x != lastTickPointer_.x || pointer.y != lastTickPointer_.y;
    lastTickPointer_ = pointer;
    // Under Wine each metric costs several server calls: read once, again after a display change.
    if (screen_.stale())
        screen_.read(hwnd(), Monitor);
    const RECT& edges = screen_.edges();
    AutoHideInput in{Silent, userHidden, false, barShown, MenuPos, pointer.y, static_cast<int>(edges.bottom),
                     kBarHeight, SilentSize};
    in.dpi = dpi();
    in.screenTop = edges.top;
    in.confined = screen_.confined();
    in.screenLeft = edges.left;
    in.screenRight = edges.right;
    in.pointerX = pointer.x;
    in.held = appBar_.fullScreen();
    AutoHideResult step = autoHideStep(in);
    bool retracting = barShown && !step.barShown;
    barShown = step.barShown;
    // Out of sight, the bar keeps no keyboard: a key would act on it unseen.
    if (retracting)
        leaveKeyboard(true);
    for (int i = 0; i < step.count; ++i)
        SetWindowPos(hwnd(), insertAfter(), edges.left, step.moves[i].y, screen_.width(), step.moves[i].height,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    in.barShown = barShown;
    return IdleTickResult{moved, autoHideDistance(in)};
}
