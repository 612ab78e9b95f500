// The bar's page: the items it shows, its buttons made or given a new page, their tips and icons, and what the launch buttons ask of it.
#include "BarIds.h"
#include "BarTips.h"
#include "LauncherBar.h"
#include "framework/AccessibleName.h"
#include "framework/WinApp.h"
#include "launch/ItemProfile.h"

namespace {

constexpr DWORD kPushButtonStyle = WS_CHILD | WS_VISIBLE; // 0x50000000

RECT spanRect(Span span, int height)
{
    return RECT{span.left, 0, span.right, height};
}

const Profile& profile()
{
    return WinApp::instance()->profile();
}

} // namespace

void LauncherBar::loadItems()
{
    for (int slot = 0; slot < kMaxSlots; ++slot) {
        itemName[slot] = readItemName(profile(), Current + slot);
        itemCommand[slot] = readItemCommand(profile(), Current + slot);
    }
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
        tile.button.scaleTo(dpi());
    }
    screen_.artMade();
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
    describe(sysMenuButton.hwnd(), kTipSysMenu);
    describe(iconButton.hwnd(), platformId == VER_PLATFORM_WIN32_WINDOWS ? kTipIconHide : kTipIconMinimise);
    describe(changeButton.hwnd(), MenuPos ? kTipToTop : kTipToBottom);
    describe(nextButton.hwnd(), nextPageTip(Current, MenuSize));
    describe(beforeButton.hwnd(), previousPageTip(Current, MenuSize));
    describe(helpButton.hwnd(), kTipHelp);
    for (int slot = 0; slot < MenuSize; ++slot)
        updateItemTip(slot);
}

void LauncherBar::updateItemTip(int slot)
{
    if (slot < 0 || slot >= kMaxSlots || !launchButtons[slot])
        return;
    // Which file a click starts, found as the click will find it.
    std::string started;
    if (!itemCommand[slot].empty())
        started = resolveCommand(itemCommand[slot], systemFileLookup(), isAnsiLeadByte).file;
    describe(launchButtons[slot]->hwnd(), launchTip(Current + slot, itemName[slot], itemCommand[slot], started),
             itemName[slot].empty() && itemCommand[slot].empty() ? emptyItemName(Current + slot) : std::string());
}

void LauncherBar::describe(HWND button, const std::string& tip, const std::string& name)
{
    // The tip's words are what a screen reader says too, not the window text ("SYSMENU").
    if (tips.setText(button, tip))
        setAccessibleName(button, name.empty() ? tip.substr(0, tip.find('\n')) : name);
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
    screen_.pageFontGiven();
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
    bool fontChanged = screen_.pageFontStale();
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
    screen_.pageFontGiven();
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

void LauncherBar::repaintIcons(const PageIcons::Slots& changed)
{
    for (int slot = 0; slot < MenuSize; ++slot)
        if (changed[slot] && launchButtons[slot])
            InvalidateRect(launchButtons[slot]->hwnd(), nullptr, FALSE);
}

void LauncherBar::requestIcons()
{
    bool loadWanted = false;
    PageIcons::Slots changed = icons_.request(itemCommand, MenuSize, dpi(), ShowIcons != 0, loadWanted);
    // Called before the captions change: a button given a new caption paints anyway.
    for (int slot = 0; slot < MenuSize; ++slot)
        if (changed[slot] && launchButtons[slot] && launchButtons[slot]->caption() != itemName[slot])
            changed[slot] = false;
    repaintIcons(changed);
    if (loadWanted)
        PostMessageA(hwnd(), WM_BAR_LOAD_ICONS, 0, 0);
}

void LauncherBar::loadIcons()
{
    repaintIcons(icons_.load(itemCommand, MenuSize, ShowIcons != 0));
}
