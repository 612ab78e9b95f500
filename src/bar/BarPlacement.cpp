// Where the bar stands and moves: its place at the edge, its room beside the taskbar, auto-hide on each tick.
#include "AutoHide.h"
#include "BarIds.h"
#include "BarTexts.h"
#include "framework/WinApp.h"
#include "LauncherBar.h"

void LauncherBar::place()
{
    // Read afresh at every placement, as the bar always did.
    screen_.read(hwnd(), Monitor);
    placeOnScreen();
}

void LauncherBar::placeOnScreen()
{
    // An application bar registers at once, for its room; otherwise once it stands.
    if (AppBar)
        appBar_.registerWith(hwnd(), WM_BAR_APPBAR);
    // Shown again: a bar the user had hidden is no longer hidden.
    userHidden = 0;
    const RECT& edges = screen_.edges();
    RECT bar{edges.left, MenuPos ? edges.bottom - barHeight : edges.top, edges.left + screen_.width(), 0};
    if (appBar_.registered()) {
        // The shell's room for the bar at its edge: above the taskbar, below another bar.
        // With auto-hide on it takes no room: the bar slides over whatever is there.
        RECT room = takeRoom();
        if (AppBar && !Silent)
            bar = RECT{room.left, room.top, room.right, 0};
    }
    SetWindowPos(hwnd(), insertAfter(), bar.left, bar.top, bar.right - bar.left, barHeight, SWP_SHOWWINDOW);
    barShown = 1;
    updatePointerWatch();
}

RECT LauncherBar::takeRoom()
{
    const RECT& edges = screen_.edges();
    RECT area{edges.left, edges.top, edges.left + screen_.width(), edges.bottom};
    UINT edge = MenuPos ? ABE_BOTTOM : ABE_TOP;
    roomGivenBack_ = false;
    // The edge's auto-hide bar, so that the shell brings out one bar at a time there.
    if (!appBar_.setAutoHide(edge, area, AppBar && Silent) && !autoHideReported_) {
        autoHideReported_ = true;
        PostMessageA(hwnd(), WM_BAR_AUTOHIDE_TAKEN, 0, 0);
    }
    return appBar_.reserve(edge, area, AppBar && !Silent ? barHeight : 0);
}

void LauncherBar::giveRoomBack()
{
    if (!appBar_.registered() || roomGivenBack_)
        return;
    // Minimised or hidden, the strip is no one's: maximised windows take it.
    const RECT& edges = screen_.edges();
    RECT area{edges.left, edges.top, edges.left + screen_.width(), edges.bottom};
    UINT edge = MenuPos ? ABE_BOTTOM : ABE_TOP;
    appBar_.setAutoHide(edge, area, false);
    appBar_.reserve(edge, area, 0);
    roomGivenBack_ = true;
}

void LauncherBar::takeRoomAgain()
{
    if (!roomGivenBack_ || !appBar_.registered() || !IsWindowVisible(hwnd()) || IsIconic(hwnd()))
        return;
    // Where the shell now gives room, the bar stands; a bar without room stays as it was
    // (a retracted one shows as its strip again).
    if (AppBar && !Silent)
        placeOnScreen();
    else
        takeRoom();
}

void LauncherBar::reportAutoHideTaken()
{
    MessageBeep(MB_ICONASTERISK);
    showMessageBox(hwnd(), kAutoHideTakenText, kInformationCaption, MB_OK | MB_ICONINFORMATION);
}

void LauncherBar::onShellStarted()
{
    // The new shell knows the bar no more; an old one that still does forgets it first.
    appBar_.remove();
    if (AppBar)
        appBar_.registerWith(hwnd(), WM_BAR_APPBAR);
    else
        PostMessageA(hwnd(), WM_BAR_REGISTER, 0, 0);
    if (appBar_.registered() && IsWindowVisible(hwnd()) && !IsIconic(hwnd())) {
        if (AppBar && !Silent)
            placeOnScreen();
        else
            takeRoom();
    }
    if (platformId == VER_PLATFORM_WIN32_WINDOWS)
        addTrayIcon();
}

void LauncherBar::onActivate(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != WA_INACTIVE)
        appBar_.activated();
    // Reached by the keyboard (Alt+Tab, Alt still held) the focus shows; reached by the
    // pointer or a program, it shows once a key moves it.
    if (LOWORD(wParam) == WA_ACTIVE && GetAsyncKeyState(VK_MENU) < 0)
        SendMessageA(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (keyboard_.onActivate(hwnd(), wParam, lParam))
        leaveKeyboard(false);
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
        updatePointerWatch();
        break;
    case AppBarRegistration::Notice::none:
        break;
    }
}

namespace {

// The bar can lie on top of the edge: it is topmost, and no full-screen program holds the edge.
bool onTopOfTheEdge(int overTop, bool fullScreen)
{
    return overTop != 0 && !fullScreen;
}

} // namespace

bool LauncherBar::needsTicks() const
{
    // Held out while used by keyboard. The cheap path: flag tests first, IsIconic only when they pass.
    if (keyboard_.active() || !autoHideWatches(Silent, userHidden, Silent && !userHidden && IsIconic(hwnd())))
        return false;
    // In, the band window tells; out, the window under the pointer does. Ticks read the
    // pointer only where no window of the bar can be on top of the edge, and while it is
    // out with the pointer off its windows.
    return !onTopOfTheEdge(OverTop, appBar_.fullScreen()) || (barShown && !pointer_.tracking());
}

IdleTickResult LauncherBar::onIdleTick()
{
    // The loop asks before each tick; a tick sent by other means does nothing either.
    if (!autoHideWatches(Silent, userHidden, Silent && !userHidden && IsIconic(hwnd())) || keyboard_.active())
        return {};
    // The tick's one pointer read: its answer also paces the loop.
    POINT pointer{};
    if (!barSystemCalls.cursorPos(&pointer))
        return {};
    return stepFor(pointer);
}

IdleTickResult LauncherBar::stepFor(POINT pointer)
{
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
    slide(step, edges);
    if (step.count)
        updatePointerWatch();
    in.barShown = barShown;
    return IdleTickResult{moved, autoHideDistance(in)};
}

void LauncherBar::slide(const AutoHideResult& step, const RECT& edges)
{
    // The shell hears of the place once: a call for each move, a round trip to it every time,
    // would slow the slide by half again.
    sliding_ = true;
    for (int i = 0; i < step.count; ++i)
        SetWindowPos(hwnd(), insertAfter(), edges.left, step.moves[i].y, screen_.width(), step.moves[i].height,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    sliding_ = false;
    if (step.count)
        appBar_.moved();
}

void LauncherBar::pointerInBand(POINT screenPoint)
{
    if (!keyboard_.active())
        stepFor(screenPoint);
}

void LauncherBar::onPointerLeft()
{
    // Onto another of the bar's windows, its move follows; elsewhere the pointer is read once
    // (and ticks go on reading it while the bar is out and the pointer off its windows).
    POINT pointer{};
    if (!keyboard_.active() && barSystemCalls.cursorPos(&pointer)) {
        HWND under = WindowFromPoint(pointer);
        if (under != hwnd() && !IsChild(hwnd(), under))
            stepFor(pointer);
    }
    updatePointerWatch();
}

void LauncherBar::updatePointerWatch()
{
    bool watches = !keyboard_.active() && autoHideWatches(Silent, userHidden, IsIconic(hwnd())) &&
                   IsWindowVisible(hwnd()) && onTopOfTheEdge(OverTop, appBar_.fullScreen());
    pointer_.watch(hwnd(), watches, WM_BAR_POINTER_LEFT);
    if (!watches || barShown) {
        band_.hide();
        return;
    }
    // The call-back band: the rows where the pointer brings the bar out, on its monitor.
    const RECT& edges = screen_.edges();
    long long depth = scaledLong(SilentSize, dpi());
    long long height = edges.bottom - edges.top;
    RECT band{edges.left, 0, edges.left + screen_.width(), 0};
    if (MenuPos) {
        depth = depth < 2 ? 2 : depth > height ? height : depth;
        band.top = static_cast<LONG>(edges.bottom - depth + 1);
        band.bottom = edges.bottom;
    } else {
        depth = depth < 1 ? 1 : depth > height ? height : depth;
        band.top = edges.top;
        band.bottom = static_cast<LONG>(edges.top + depth);
    }
    band_.show(band, hwnd(), WM_BAR_POINTER_IN_BAND);
}
