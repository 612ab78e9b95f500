// The bar window: creation, settings, layout, placement and destruction.
#include "LauncherBar.h"

#include "BarGeometry.h"
#include "BarIds.h"
#include "BarSettings.h"
#include "BarTips.h"
#include "BarTexts.h"
#include "framework/WinApp.h"
#include "launch/ItemProfile.h"

namespace {

constexpr char kBarClass[] = "ZelLauncherBar";
constexpr char kEnv[] = "Env";
constexpr DWORD kBarStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX; // 0x800A0000
constexpr DWORD kPushButtonStyle = WS_CHILD | WS_VISIBLE;           // 0x50000000

HFONT makeBarFont(int weight, int height = kFontHeight)
{
    return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DRAFT_QUALITY, 0, kBarFontFace);
}

RECT spanRect(Span span, int height)
{
    return RECT{span.left, 0, span.right, height};
}

WinApp& app()
{
    return *WinApp::instance();
}

} // namespace

LauncherBar::LauncherBar()
{
    normalFont.reset(makeBarFont(FW_DONTCARE));
    boldFont.reset(makeBarFont(FW_BOLD));
    userHidden = 0;
    barHeight = kBarHeight;

    RECT initial{0, GetSystemMetrics(SM_CYFULLSCREEN) - barHeight, GetSystemMetrics(SM_CXFULLSCREEN),
                 GetSystemMetrics(SM_CYFULLSCREEN)};

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
        // Answers 0 as it always did; the loop learns of movement from tickSawMovement().
        tickSawMovement_ = onIdleTick();
        return 0;
    case WM_BAR_TRAY_NOTIFY:
        onTrayNotify(static_cast<UINT>(lParam));
        return 0;
    case WM_BAR_APPBAR:
        onAppBarNotify(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_DISPLAYCHANGE:
        // A monitor came or went, or its size changed: the bar spans its monitor again.
        screenStale_ = true;
        relayoutWhenFree();
        break;
    case WM_SETTINGCHANGE:
        screenStale_ = true;
        break;
    case WM_DPICHANGED:
        // Moved to a monitor of another scaling, or the scaling changed: everything anew at the new DPI.
        toldDpi_ = LOWORD(wParam);
        toldDpiMonitor_ = Monitor;
        screenStale_ = true;
        relayoutWhenFree();
        return 0;
    case WM_ENDSESSION:
        // The process ends after this answer, without the window's destruction.
        if (wParam)
            removeAppBar();
        break;
    case WM_DESTROY:
        removeAppBar();
        break;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0 && platformId == VER_PLATFORM_WIN32_WINDOWS)
        addTrayIcon();
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
    if (platformId == VER_PLATFORM_WIN32_WINDOWS) {
        taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
        addTrayIcon();
    }
    barShown = 1;
    return 0;
}

void LauncherBar::onDrawItem(const DRAWITEMSTRUCT& item)
{
    for (const BitmapButton* button : {&sysMenuButton, &iconButton, &changeButton, &nextButton, &beforeButton}) {
        if (button->hwnd() == item.hwndItem) {
            button->draw(item);
            return;
        }
    }
}

void LauncherBar::loadSettings()
{
    std::string menuPos = app().profileString(kEnv, "MenuPos");
    OverTop = app().profileInt(kEnv, "OverTop", kDefaultOverTop);
    Silent = app().profileInt(kEnv, "Silent", kDefaultSilent);
    Current = clampCurrent(app().profileInt(kEnv, "Current", kDefaultCurrent));
    MenuSize = clampMenuSize(app().profileInt(kEnv, "MenuSize", kDefaultMenuSize));
    // Kept as stored, so a hand-set value survives every write.
    SilentSize = app().profileInt(kEnv, "SilentSize", kDefaultSilentSize);
    MenuPos = menuPosFromText(menuPos);
    AppBar = app().profileInt(kEnv, "AppBar", kDefaultAppBar);
    Monitor = app().profileInt(kEnv, "Monitor", kDefaultMonitor);
    ShowIcons = app().profileInt(kEnv, "ShowIcons", kDefaultShowIcons);
    HotKey = app().profileInt(kEnv, "HotKey", kDefaultHotKey);
    SetWindowTextA(hwnd(), kBarTitle);
    loadItems();
}

bool LauncherBar::saveSettings() const
{
    ProfileWrites writes(app());
    writes.writeInt(kEnv, "Current", Current);
    writes.writeInt(kEnv, "MenuSize", MenuSize);
    writes.writeInt(kEnv, "SilentSize", SilentSize);
    writes.writeInt(kEnv, "OverTop", OverTop);
    writes.writeInt(kEnv, "Silent", Silent);
    writes.write(kEnv, "MenuPos", std::to_string(MenuPos));
    return writes.commit();
}

void LauncherBar::loadItems()
{
    for (int slot = 0; slot < kMaxSlots; ++slot) {
        itemName[slot] = readItemName(app(), Current + slot);
        itemCommand[slot] = readItemCommand(app(), Current + slot);
    }
}

int LauncherBar::layout()
{
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(normalFont.get()), TRUE);
    if (inCreate)
        loadSettings();
    // The monitor's DPI: fonts, images and sizes for it (at 96 DPI, the spec's own).
    readScreen();
    dpi_ = screen_.dpi;
    applyDpi();
    place();
    RECT client;
    GetClientRect(hwnd(), &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    if (inCreate) {
        tips.create();
        tips.setDpi(dpi_);
        createBitmapButtons(width, height);
    } else {
        MenuSize = clampMenuSize(app().profileInt(kEnv, "MenuSize", kDefaultMenuSize));
        loadItems();
        destroyPageButtons();
        moveBitmapButtons(width, height);
    }
    createPageButtons(width, height);
    updateTips();
    return 0;
}

void LauncherBar::applyDpi()
{
    barHeight = metrics().height();
    if (fontDpi_ != dpi_) {
        normalFont.reset(makeBarFont(FW_DONTCARE, metrics().fontHeight()));
        boldFont.reset(makeBarFont(FW_BOLD, metrics().fontHeight()));
        fontDpi_ = dpi_;
    }
    if (artDpi_ != dpi_ && sysMenuButton.hwnd()) {
        for (BitmapButton* button : {&sysMenuButton, &iconButton, &changeButton, &nextButton, &beforeButton})
            button->scaleTo(dpi_);
        artDpi_ = dpi_;
    }
    tips.setDpi(dpi_);
}

void LauncherBar::relayoutWhenFree()
{
    if (WinApp::instance()->inModalLoop())
        WinApp::instance()->deferMessage(hwnd(), WM_COMMAND, MAKEWPARAM(kCmdRelayout, BN_CLICKED), 0);
    else if (hwnd())
        layout();
}

void LauncherBar::createBitmapButtons(int clientWidth, int clientHeight)
{
    struct Tile {
        BitmapButton& button;
        const char* caption;
        Span span;
        int id;
        const char* up;
        const char* down;
    };
    BarMetrics m = metrics();
    const Tile tiles[] = {
        {sysMenuButton, "SYSMENU", sysMenuSpan(m), kIdSysMenu, "SYSMENUU", "SYSMENUD"},
        {iconButton, "ICON", tileSpan(clientWidth, 0, m), kIdIcon, "ICONU", "ICOND"},
        {changeButton, "CHANGE", tileSpan(clientWidth, 1, m), kIdChange, "CHANGEU", "CHANGED"},
        {nextButton, "NEXT", tileSpan(clientWidth, 2, m), kIdNext, "NEXTU", "NEXTD"},
        {beforeButton, "BEFORE", tileSpan(clientWidth, 3, m), kIdBefore, "BEFOREU", "BEFORED"},
    };
    for (const Tile& tile : tiles) {
        tile.button.create(tile.caption, spanRect(tile.span, clientHeight), hwnd(), tile.id);
        tile.button.loadImages(tile.up, tile.down);
        tile.button.scaleTo(dpi_);
    }
    artDpi_ = dpi_;
}

void LauncherBar::moveBitmapButtons(int clientWidth, int clientHeight)
{
    // Where the spec's bar never moved them: a relayout at the same size leaves them be.
    BarMetrics m = metrics();
    const std::pair<BitmapButton*, Span> tiles[] = {
        {&sysMenuButton, sysMenuSpan(m)},
        {&iconButton, tileSpan(clientWidth, 0, m)},
        {&changeButton, tileSpan(clientWidth, 1, m)},
        {&nextButton, tileSpan(clientWidth, 2, m)},
        {&beforeButton, tileSpan(clientWidth, 3, m)},
    };
    for (const auto& [button, span] : tiles) {
        RECT now{};
        GetWindowRect(button->hwnd(), &now);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&now), 2);
        RECT want = spanRect(span, clientHeight);
        if (!EqualRect(&now, &want))
            MoveWindow(button->hwnd(), want.left, want.top, want.right - want.left, want.bottom - want.top, TRUE);
    }
}

void LauncherBar::destroyPageButtons()
{
    for (auto& button : launchButtons) {
        if (button) {
            tips.remove(button->hwnd());
            button->destroy();
            button.reset();
        }
    }
    tips.remove(helpButton.hwnd());
    helpButton.destroy();
}

void LauncherBar::updateTips()
{
    tips.setText(sysMenuButton.hwnd(), kTipSysMenu);
    tips.setText(iconButton.hwnd(), platformId == VER_PLATFORM_WIN32_WINDOWS ? kTipIconHide : kTipIconMinimise);
    tips.setText(changeButton.hwnd(), MenuPos ? kTipToTop : kTipToBottom);
    tips.setText(nextButton.hwnd(), nextPageTip(Current, MenuSize));
    tips.setText(beforeButton.hwnd(), previousPageTip(Current, MenuSize));
    tips.setText(helpButton.hwnd(), kTipHelp);
    for (int slot = 0; slot < MenuSize; ++slot)
        updateItemTip(slot);
}

void LauncherBar::updateItemTip(int slot)
{
    if (slot >= 0 && slot < kMaxSlots && launchButtons[slot])
        tips.setText(launchButtons[slot]->hwnd(), launchTip(Current + slot, itemName[slot], itemCommand[slot]));
}

void LauncherBar::createPageButtons(int clientWidth, int clientHeight)
{
    WPARAM normal = reinterpret_cast<WPARAM>(normalFont.get());
    for (int slot = 0; slot < MenuSize; ++slot) {
        // Created accepting drops, as DragAcceptFiles would make it, without loading the shell at start.
        launchButtons[slot] = std::make_unique<LaunchButton>(slot);
        LaunchButton& button = *launchButtons[slot];
        button.create("BUTTON", itemName[slot].c_str(), kPushButtonStyle,
                      spanRect(launchSlotSpan(clientWidth, MenuSize, slot, metrics()), clientHeight), hwnd(),
                      kLaunchIdBase + Current + slot, WS_EX_ACCEPTFILES);
        SendMessageA(button.hwnd(), WM_SETFONT, normal, TRUE);
        ShowWindow(button.hwnd(), SW_SHOWNORMAL);
        UpdateWindow(button.hwnd());
    }
    helpButton.create("BUTTON", kHelpCaption, kPushButtonStyle,
                      spanRect(helpSpan(clientWidth, MenuSize, metrics()), clientHeight), hwnd(), kIdHelpButton);
    SendMessageA(helpButton.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont.get()), TRUE);
    ShowWindow(helpButton.hwnd(), SW_SHOWNORMAL);
    UpdateWindow(helpButton.hwnd());
}
