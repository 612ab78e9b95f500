// The bar window: creation, its messages, settings, the layout and destruction.
#include "LauncherBar.h"

#include <windowsx.h>

#include "BarGeometry.h"
#include "BarIds.h"
#include "BarSettings.h"
#include "BarTexts.h"
#include "framework/WinApp.h"

namespace {

constexpr char kBarClass[] = "ZelLauncherBar";
constexpr char kEnv[] = "Env";
constexpr DWORD kBarStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX; // 0x800A0000

WinApp& app()
{
    return *WinApp::instance();
}

const Profile& profile()
{
    return app().profile();
}

} // namespace

LauncherBar::LauncherBar()
{
    normalFont.reset(makeBarFont(FW_DONTCARE));
    boldFont.reset(makeBarFont(FW_BOLD));
    userHidden = 0;
    barHeight = kBarHeight;

    // Where the window is made, hidden: the placement puts it at its edge before it shows.
    // (SM_CYFULLSCREEN would load the caption font, tens of milliseconds under Wine, before the bar shows.)
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT initial{0, screenHeight - barHeight, GetSystemMetrics(SM_CXSCREEN), screenHeight};

    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version; // 148
    platformId = GetVersionExA(&version) ? static_cast<int>(version.dwPlatformId) : VER_PLATFORM_WIN32_NT;

    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.hInstance = app().instanceHandle();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconA(app().instanceHandle(), MAKEINTRESOURCEA(kIconId));
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = kBarClass;
    registerClass(windowClass);

    DWORD exStyle = platformId == VER_PLATFORM_WIN32_WINDOWS ? WS_EX_TOOLWINDOW : 0;
    createFrame(exStyle, kBarClass, nullptr, kBarStyle, initial);
}

LauncherBar::~LauncherBar()
{
    if (platformId == VER_PLATFORM_WIN32_WINDOWS)
        barSystemCalls.notifyIcon(NIM_DELETE, &trayIconData);
    for (auto& button : launchButtons)
        button.reset();
    // The remaining members go in reverse declaration order, as C++ does.
}

LRESULT LauncherBar::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate();
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_BAR_IDLE_TICK:
        // Answers 0 as it always did; the loop learns what the tick saw from lastTick().
        lastTick_ = onIdleTick();
        return 0;
    case WM_BAR_TRAY_NOTIFY:
        onTrayNotify(static_cast<UINT>(lParam));
        return 0;
    case WM_BAR_APPBAR:
        onAppBarNotice(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_BAR_REGISTER:
        appBar_.registerWith(hwnd(), WM_BAR_APPBAR);
        return 0;
    case WM_BAR_TAKE_ROOM:
        takeRoomAgain();
        return 0;
    case WM_BAR_AUTOHIDE_TAKEN:
        reportAutoHideTaken();
        return 0;
    case WM_BAR_POINTER_LEFT:
        onPointerLeft();
        return 0;
    case WM_BAR_POINTER_IN_BAND:
        pointerInBand(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_SIZE:
        // Minimised, the bar leaves its strip to others; restored, it asks for it again.
        if (wParam == SIZE_MINIMIZED)
            giveRoomBack();
        else if (wParam == SIZE_RESTORED && roomGivenBack_)
            PostMessageA(hwnd(), WM_BAR_TAKE_ROOM, 0, 0);
        updatePointerWatch();
        break;
    case WM_SHOWWINDOW:
        if (!wParam)
            giveRoomBack();
        else if (roomGivenBack_)
            PostMessageA(hwnd(), WM_BAR_TAKE_ROOM, 0, 0);
        PostMessageA(hwnd(), WM_BAR_POINTER_LEFT, 0, 0);
        break;
    case WM_WINDOWPOSCHANGED:
        if (!sliding_)
            appBar_.moved();
        break;
    case WM_DISPLAYCHANGE:
        // A monitor came or went, or its size changed: the bar spans its monitor again.
        screen_.markStale();
        relayoutWhenFree();
        break;
    case WM_SETTINGCHANGE:
        screen_.markStale();
        // A high-contrast scheme switched on or off: the tiles take its colours.
        if (wParam == SPI_SETHIGHCONTRAST)
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        break;
    case WM_SYSCOLORCHANGE:
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        break;
    case WM_DPICHANGED:
        // Moved to a monitor of another scaling, or the scaling changed: everything anew at the
        // new DPI, once, after a layout that is running (the first one, while the window is made).
        screen_.tellDpi(LOWORD(wParam), Monitor);
        relayoutWhenFree();
        return 0;
    case WM_ENDSESSION:
        // The process ends after this answer, without the window's destruction.
        if (wParam)
            appBar_.remove();
        break;
    case WM_DESTROY:
        pointer_.watch(hwnd(), false, 0);
        band_.hide();
        appBar_.remove();
        keyboard_.unregisterHotKey(hwnd());
        break;
    case WM_HOTKEY:
        if (wParam == kHotKeyId)
            onHotKey();
        return 0;
    case WM_BAR_HOTKEY_TAKEN:
        keyboard_.reportTaken(hwnd(), HotKey);
        return 0;
    case WM_BAR_LOAD_ICONS:
        loadIcons();
        return 0;
    case WM_ACTIVATE:
        onActivate(wParam, lParam);
        break;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0)
        onShellStarted();
    return FrameWindow::windowProc(message, wParam, lParam);
}

int LauncherBar::onCreate()
{
    inCreate = 1;
    int result = layout();
    inCreate = 0;
    if (result == -1)
        return -1;
    buildCommandMenu(); // sets the title too
    registerHotKey();
    // Focus rectangles only once the keyboard moves the focus, as Windows draws them.
    SendMessageA(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    // A shell that starts anew knows neither the application bar nor the tray icon.
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    // Told of full-screen programs even where it takes no room; after it shows, since the
    // shell's library costs the start time.
    if (!appBar_.registered())
        PostMessageA(hwnd(), WM_BAR_REGISTER, 0, 0);
    if (platformId == VER_PLATFORM_WIN32_WINDOWS) {
        addTrayIcon();
    }
    barShown = 1;
    return 0;
}

void LauncherBar::onDrawItem(const DRAWITEMSTRUCT& item)
{
    int slot = slotOf(item.hwndItem);
    if (slot >= 0) {
        drawLaunchButton(item, icons_.slotIcon(slot), launchButtons[slot]->caption(), normalFont.get(), dpi());
        return;
    }
    for (const BitmapButton* button : {&sysMenuButton, &iconButton, &changeButton, &nextButton, &beforeButton}) {
        if (button->hwnd() == item.hwndItem) {
            // The focus shows as Windows shows it: once the keyboard moved it (the images stay the art).
            button->draw(item, keyboard_.active() || !(item.itemState & ODS_NOFOCUSRECT));
            return;
        }
    }
}

void LauncherBar::loadSettings()
{
    std::string menuPos = profile().readString(kEnv, "MenuPos");
    OverTop = profile().readInt(kEnv, "OverTop", kDefaultOverTop);
    Silent = profile().readInt(kEnv, "Silent", kDefaultSilent);
    Current = clampCurrent(profile().readInt(kEnv, "Current", kDefaultCurrent));
    MenuSize = clampMenuSize(profile().readInt(kEnv, "MenuSize", kDefaultMenuSize));
    // Kept as stored, so a hand-set value survives every write.
    SilentSize = profile().readInt(kEnv, "SilentSize", kDefaultSilentSize);
    MenuPos = menuPosFromText(menuPos);
    AppBar = profile().readInt(kEnv, "AppBar", kDefaultAppBar);
    Monitor = profile().readInt(kEnv, "Monitor", kDefaultMonitor);
    ShowIcons = profile().readInt(kEnv, "ShowIcons", kDefaultShowIcons);
    HotKey = profile().readInt(kEnv, "HotKey", kDefaultHotKey);
    SetWindowTextA(hwnd(), kBarTitle);
}

bool LauncherBar::saveSettings() const
{
    ProfileWrites writes(profile());
    writes.writeInt(kEnv, "Current", Current);
    writes.writeInt(kEnv, "MenuSize", MenuSize);
    writes.writeInt(kEnv, "SilentSize", SilentSize);
    writes.writeInt(kEnv, "OverTop", OverTop);
    writes.writeInt(kEnv, "Silent", Silent);
    writes.write(kEnv, "MenuPos", std::to_string(MenuPos));
    return writes.commit();
}

int LauncherBar::layout()
{
    // Messages sent while it runs (WM_DPICHANGED as the window moves) must not start another.
    layingOut_ = true;
    int result = layOut();
    layingOut_ = false;
    return result;
}

int LauncherBar::layOut()
{
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(normalFont.get()), TRUE);
    if (inCreate)
        loadSettings();
    // The monitor's DPI: fonts, images and sizes for it (at 96 DPI, the classic ones).
    screen_.read(hwnd(), Monitor);
    screen_.adoptDpi();
    barHeight = metrics().height();
    screen_.applyDpi(normalFont, boldFont, {&sysMenuButton, &iconButton, &changeButton, &nextButton, &beforeButton}, tips);
    placeOnScreen();
    RECT client;
    GetClientRect(hwnd(), &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    if (inCreate) {
        // The items after the placement: the bar shows at its edge a page's reads sooner.
        loadItems();
        requestIcons();
        tips.create();
        tips.setDpi(dpi());
        createBitmapButtons(width, height);
        createPageButtons(width, height);
    } else {
        MenuSize = clampMenuSize(profile().readInt(kEnv, "MenuSize", kDefaultMenuSize));
        loadItems();
        // Before the buttons are given the page: each is painted once, with its icon.
        requestIcons();
        moveBitmapButtons(width, height);
        refreshPageButtons(width, height);
    }
    updateTips();
    return 0;
}

void LauncherBar::relayoutWhenFree()
{
    if (layingOut_) {
        // Asked for during a layout (a DPI change as the window is made): once, after it.
        if (!relayoutPosted_)
            PostMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(kCmdRelayout, BN_CLICKED), 0);
        relayoutPosted_ = true;
    } else if (WinApp::instance()->inModalLoop())
        WinApp::instance()->deferMessage(hwnd(), WM_COMMAND, MAKEWPARAM(kCmdRelayout, BN_CLICKED), 0);
    else if (hwnd())
        layout();
}
