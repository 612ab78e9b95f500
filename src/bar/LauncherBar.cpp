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
        if (hotKeyRegistered_)
            UnregisterHotKey(hwnd(), kHotKeyId);
        break;
    case WM_HOTKEY:
        if (wParam == kHotKeyId)
            onHotKey();
        return 0;
    case WM_BAR_HOTKEY_TAKEN:
        reportHotKeyTaken();
        return 0;
    case WM_BAR_LOAD_ICONS:
        loadIcons();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            // Another window took the keyboard.
            endKeyboardMode(false);
        } else if (HWND other = reinterpret_cast<HWND>(lParam); other && other != hwnd() && !IsChild(hwnd(), other)) {
            // A click made the bar active: the window it came from gets the keyboard back.
            previousForeground_ = other;
        }
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
    registerHotKey();
    if (platformId == VER_PLATFORM_WIN32_WINDOWS) {
        taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
        addTrayIcon();
    }
    barShown = 1;
    return 0;
}

void LauncherBar::onDrawItem(const DRAWITEMSTRUCT& item)
{
    int slot = slotOf(item.hwndItem);
    if (slot >= 0) {
        drawLaunchButton(item, slot);
        return;
    }
    for (const BitmapButton* button : {&sysMenuButton, &iconButton, &changeButton, &nextButton, &beforeButton}) {
        if (button->hwnd() == item.hwndItem) {
            // The focus shows only while the bar is used by keyboard: the images stay the art.
            button->draw(item, keyboardMode_);
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

void LauncherBar::loadItems()
{
    for (int slot = 0; slot < kMaxSlots; ++slot) {
        itemName[slot] = readItemName(profile(), Current + slot);
        itemCommand[slot] = readItemCommand(profile(), Current + slot);
    }
}

int LauncherBar::layout()
{
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(normalFont.get()), TRUE);
    if (inCreate)
        loadSettings();
    // The monitor's DPI: fonts, images and sizes for it (at 96 DPI, the classic ones).
    readScreen();
    dpi_ = screen_.dpi;
    applyDpi();
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
        tips.setDpi(dpi_);
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
    // Where the bar never moved them before: a relayout at the same size leaves them be.
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

void LauncherBar::destroyLaunchButton(int slot)
{
    if (auto& button = launchButtons[slot]) {
        tips.remove(button->hwnd());
        button->destroy();
        button.reset();
    }
}

void LauncherBar::updateTips()
{
    // A tip on show would be shown again, measured and placed, for every text that changes.
    tips.pop();
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

void LauncherBar::createLaunchButton(int slot, const RECT& rect)
{
    launchButtons[slot] = std::make_unique<LaunchButton>(*this, slot);
    LaunchButton& button = *launchButtons[slot];
    // With icons the bar draws the button; its look is the push button's.
    button.create(itemName[slot], rect, hwnd(), kLaunchIdBase + Current + slot, ShowIcons ? BS_OWNERDRAW : 0);
    SendMessageA(button.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(normalFont.get()), TRUE);
    ShowWindow(button.hwnd(), SW_SHOWNORMAL);
    UpdateWindow(button.hwnd());
}

void LauncherBar::createPageButtons(int clientWidth, int clientHeight)
{
    for (int slot = 0; slot < MenuSize; ++slot)
        createLaunchButton(slot, spanRect(launchSlotSpan(clientWidth, MenuSize, slot, metrics()), clientHeight));
    helpButton.create("BUTTON", kHelpCaption, kPushButtonStyle,
                      spanRect(helpSpan(clientWidth, MenuSize, metrics()), clientHeight), hwnd(), kIdHelpButton);
    SendMessageA(helpButton.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont.get()), TRUE);
    ShowWindow(helpButton.hwnd(), SW_SHOWNORMAL);
    UpdateWindow(helpButton.hwnd());
    pageFontDpi_ = dpi_;
}

namespace {

// Gives a kept window the place a new one would have.
void moveTo(HWND window, HWND parent, const RECT& want)
{
    RECT now{};
    GetWindowRect(window, &now);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&now), 2);
    if (!EqualRect(&now, &want))
        MoveWindow(window, want.left, want.top, want.right - want.left, want.bottom - want.top, TRUE);
}

// A kept button looks as a new one would: without the keyboard's focus, not held down
// (by the mouse, or by the space bar while it had the focus).
void asNew(HWND button, HWND bar, HWND focus, HWND capture)
{
    if (capture == button)
        ReleaseCapture();
    if (focus == button) {
        if (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED)
            SendMessageA(button, BM_SETSTATE, FALSE, 0);
        SetFocus(bar);
    }
}

} // namespace

void LauncherBar::refreshPageButtons(int clientWidth, int clientHeight)
{
    // The buttons a relayout would make anew are kept and given exactly what new ones
    // would have (id, caption, place, font, look): only a change in their number makes
    // or destroys a window. A page turn then costs a caption and a paint per button.
    bool fontChanged = pageFontDpi_ != dpi_;
    WPARAM normal = reinterpret_cast<WPARAM>(normalFont.get());
    HWND focus = GetFocus();
    HWND capture = GetCapture();
    for (int slot = MenuSize; slot < kMaxSlots; ++slot)
        destroyLaunchButton(slot);
    for (int slot = 0; slot < MenuSize; ++slot) {
        RECT rect = spanRect(launchSlotSpan(clientWidth, MenuSize, slot, metrics()), clientHeight);
        // Icons switched on or off: the button is of another kind.
        if (launchButtons[slot] &&
            ((GetWindowLongA(launchButtons[slot]->hwnd(), GWL_STYLE) & BS_OWNERDRAW) != 0) != (ShowIcons != 0))
            destroyLaunchButton(slot);
        if (!launchButtons[slot]) {
            createLaunchButton(slot, rect);
            continue;
        }
        LaunchButton& button = *launchButtons[slot];
        HWND window = button.hwnd();
        asNew(window, hwnd(), focus, capture);
        button.armed = 0;
        int id = kLaunchIdBase + Current + slot;
        if (GetDlgCtrlID(window) != id)
            SetWindowLongPtrA(window, GWLP_ID, id);
        moveTo(window, hwnd(), rect);
        if (fontChanged)
            SendMessageA(window, WM_SETFONT, normal, TRUE);
        if (button.caption() != itemName[slot])
            button.setCaption(itemName[slot]);
        UpdateWindow(window);
    }
    HWND help = helpButton.hwnd();
    asNew(help, hwnd(), focus, capture);
    moveTo(help, hwnd(), spanRect(helpSpan(clientWidth, MenuSize, metrics()), clientHeight));
    if (fontChanged)
        SendMessageA(help, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont.get()), TRUE);
    UpdateWindow(help);
    pageFontDpi_ = dpi_;
}

bool LauncherBar::acceptsInput() const
{
    // Not under a dialog, box or menu of the program (the Shift-click editor moves Current,
    // so posted input would act on other items), and not while out of sight.
    HWND self = hwnd();
    return self && !WinApp::instance()->inModalLoop() && IsWindowEnabled(self) && IsWindowVisible(self) &&
           !IsIconic(self) && barShown && !userHidden;
}

void LauncherBar::itemChanged(int slot, const std::string& name, const std::string& command)
{
    if (slot < 0 || slot >= kMaxSlots)
        return;
    itemName[slot] = cutToField(name, isAnsiLeadByte);
    itemCommand[slot] = command;
    if (launchButtons[slot])
        launchButtons[slot]->setCaption(itemName[slot]);
    updateItemTip(slot);
    requestIcons();
}

LaunchButton* LauncherBar::buttonAt(POINT screenPoint)
{
    POINT onBar = screenPoint;
    ScreenToClient(hwnd(), &onBar);
    int slot = slotOf(ChildWindowFromPointEx(hwnd(), onBar, CWP_SKIPINVISIBLE));
    return slot >= 0 ? launchButtons[slot].get() : nullptr;
}

int LauncherBar::slotOf(HWND button) const
{
    for (int slot = 0; slot < MenuSize; ++slot)
        if (button && launchButtons[slot] && launchButtons[slot]->hwnd() == button)
            return slot;
    return -1;
}

void LauncherBar::swapItems(int slotA, int slotB)
{
    auto onPage = [&](int slot) { return slot >= 0 && slot < MenuSize && launchButtons[slot]; };
    if (slotA == slotB || !onPage(slotA) || !onPage(slotB) || !acceptsInput())
        return;
    int a = Current + slotA, b = Current + slotB;
    // Both items whole, as the file holds them now: the table may be hours old, another bar
    // or a hand edit may have changed them, and its names are cut for showing.
    std::string nameA = readItemName(profile(), a, std::string::npos), commandA = readItemCommand(profile(), a);
    std::string nameB = readItemName(profile(), b, std::string::npos), commandB = readItemCommand(profile(), b);
    // Both at once, "Menu" before "Exec" for each, checked as every action is.
    ProfileWrites writes(profile());
    writeItem(writes, a, nameB, commandB);
    writeItem(writes, b, nameA, commandA);
    bool written = writes.commit();
    // The buttons show what the file holds, after the swap or after its failure.
    for (int slot : {slotA, slotB}) {
        itemName[slot] = readItemName(profile(), Current + slot);
        itemCommand[slot] = readItemCommand(profile(), Current + slot);
    }
    requestIcons();
    for (int slot : {slotA, slotB}) {
        launchButtons[slot]->setCaption(itemName[slot]);
        updateItemTip(slot);
    }
    if (!written)
        profile().reportWriteFailure(hwnd());
}
