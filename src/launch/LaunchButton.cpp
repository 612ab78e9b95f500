// Launch buttons: start, empty or edit an item on a click, register or start an item on a file drop.
#include "LaunchButton.h"

#include <windowsx.h>

#include <string>

#include "CommandResolver.h"
#include "ItemProfile.h"
#include "DroppedFiles.h"
#include "LaunchTexts.h"
#include "framework/DragDistance.h"
#include "framework/FrameworkTexts.h"
#include "framework/LateBound.h"
#include "framework/WinApp.h"

namespace {

POINT pointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

LRESULT LaunchButton::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DROPFILES:
        onDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_LBUTTONUP: {
        // The drag, before the standard button's release of the capture ends it.
        bool wasDragging = dragging_;
        // The standard button first: it releases the capture and redraws.
        LRESULT result = defaultProc(message, wParam, lParam);
        // A drag ends on another launch button, where the items swap, or anywhere else,
        // its own button included, where nothing happens. A release without a drag is
        // the release the button always knew (inside it starts, outside nothing).
        if (wasDragging) {
            armed = 0;
            endDrag(pointOf(lParam));
        } else {
            onLeftUp(static_cast<UINT>(wParam), pointOf(lParam));
        }
        return result; // this object may be gone
    }
    case WM_LBUTTONDOWN: {
        LRESULT result = defaultProc(message, wParam, lParam);
        onLeftDown(pointOf(lParam));
        return result;
    }
    case WM_MOUSEMOVE: {
        LRESULT result = defaultProc(message, wParam, lParam);
        if (armed && (wParam & MK_LBUTTON))
            onDragMove(pointOf(lParam));
        return result;
    }
    case WM_CONTEXTMENU: {
        // (-1, -1): Shift+F10 or the menu key.
        bool byKeyboard = lParam == -1;
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        showItemMenu(at, byKeyboard);
        return 0; // this object may be gone
    }
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_MENUCHAR: {
        // The shell's own entries of the item's menu draw themselves.
        LRESULT handled = 0;
        if (shellMenu_ && shellMenu_->handle(message, wParam, lParam, handled))
            return handled;
        break;
    }
    case WM_CAPTURECHANGED:
        // The capture is gone (released, or taken by a window that came up): no target any more.
        showDropTarget(nullptr);
        dragging_ = false;
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        break;
    }
    return defaultProc(message, wParam, lParam);
}

void LaunchButton::onDragMove(POINT point)
{
    if (!dragging_) {
        // Only beyond the system's drag distance: a press and a release in place is a click.
        if (!beyondDragDistance(pressPoint_.x, pressPoint_.y, point.x, point.y, GetSystemMetrics(SM_CXDRAG),
                                GetSystemMetrics(SM_CYDRAG)))
            return;
        dragging_ = true;
    }
    // Where the item would go: another launch button of the page, shown held down.
    POINT onScreen = point;
    ClientToScreen(hwnd_, &onScreen);
    LaunchButton* under = site_.buttonAt(onScreen);
    HWND target = under && under != this ? under->hwnd() : nullptr;
    showDropTarget(target);
    SetCursor(LoadCursorA(nullptr, target ? IDC_HAND : IDC_NO));
}

void LaunchButton::cancelDrag()
{
    if (!dragging_)
        return;
    armed = 0;
    // WM_CAPTURECHANGED ends the drag; the release then reaches no launch button.
    ReleaseCapture();
}

void LaunchButton::showDropTarget(HWND target)
{
    if (target == dropTarget_)
        return;
    if (dropTarget_ && IsWindow(dropTarget_))
        SendMessageA(dropTarget_, BM_SETSTATE, FALSE, 0);
    dropTarget_ = target;
    if (target)
        SendMessageA(target, BM_SETSTATE, TRUE, 0);
}

void LaunchButton::endDrag(POINT point)
{
    POINT onScreen = point;
    ClientToScreen(hwnd_, &onScreen);
    LaunchButton* other = site_.buttonAt(onScreen);
    if (other && other != this)
        site_.swapItems(slot, other->slot);
}

bool LaunchButton::create(const std::string& caption, const RECT& rect, HWND parent, int id, DWORD extraStyle)
{
    caption_ = caption;
    return SubclassedControl::create("BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | extraStyle, rect, parent, id,
                                     WS_EX_ACCEPTFILES);
}

void LaunchButton::setCaption(const std::string& text)
{
    caption_ = text;
    SetWindowTextA(hwnd_, text.c_str());
}

void LaunchButton::onLeftDown(POINT point)
{
    // Input posted while a dialog is open, or to a bar out of sight, arms nothing.
    if (site_.acceptsInput() && ChildWindowFromPoint(hwnd_, point))
        armed = 1;
    pressPoint_ = point;
    dragging_ = false;
}

void LaunchButton::onLeftUp(UINT keys, POINT point)
{
    if (!armed)
        return;
    armed = 0;
    if (!ChildWindowFromPoint(hwnd_, point) || !site_.acceptsInput())
        return;
    // The flags as one value: Ctrl with Shift, or with another button held, starts.
    switch (keys) {
    case MK_CONTROL:
        storeItem(std::string(), std::string());
        break;
    case MK_SHIFT:
        site_.editItem(*this); // relays the bar out: nothing of this button after it
        break;
    default:
        startItem();
        break;
    }
}

void LaunchButton::startItem()
{
    if (site_.acceptsInput())
        reportStart(startCommand(site_.commandAt(slot)));
}

void LaunchButton::storeItem(const std::string& name, const std::string& command)
{
    const Profile& profile = WinApp::instance()->profile();
    int item = site_.itemNumber(slot);
    ProfileWrites writes(profile);
    writeItem(writes, item, name, command);
    bool written = writes.commit();
    // After a failure the button shows what the file holds.
    site_.itemChanged(slot, written ? name : readItemName(profile, item), written ? command : readItemCommand(profile, item));
    if (!written)
        profile.reportWriteFailure(hwnd_);
}

void LaunchButton::onDropFiles(HDROP drop)
{
    // While a dialog or box of the bar is open the table may hold another page (the
    // Shift-click editor moves Current): a drop would land on another item.
    if (!site_.acceptsInput()) {
        lateBound::dragFinish(drop);
        return;
    }
    if (site_.commandAt(slot).empty()) {
        registerDrop(drop);
    } else {
        // Taken by value: the boxes of failed starts run a message loop that may change the table.
        startForDrop(site_.commandAt(slot), drop);
    }
}

void LaunchButton::registerDrop(HDROP drop)
{
    if (droppedInside(drop) && droppedFileCount(drop) > 0) {
        std::optional<std::string> path = droppedPath(drop, 0);
        // Too long for an item's field, where a cut path names another file,
        // or a name the code page cannot hold: refused.
        if (!path || path->size() > kFieldBytes)
            MessageBeep(MB_ICONHAND);
        else if (path->empty())
            ; // an empty list from the shell: nothing to register
        else if (!isUsableDroppedName(*path))
            reportError(kBadDroppedNameText);
        else
            storeItem(splitPath(*path, isAnsiLeadByte).baseName, *path);
    }
    lateBound::dragFinish(drop);
}

void LaunchButton::startForDrop(std::string command, HDROP drop)
{
    WaitCursor wait;
    // The error boxes run message loops: a close request then waits for the
    // loop's end, and stops the starts that are left.
    ModalLoop modal;
    if (droppedInside(drop)) {
        UINT count = droppedFileCount(drop);
        for (UINT i = 0; i < count && !WinApp::instance()->closeDeferred(); ++i) {
            std::optional<std::string> path = droppedPath(drop, i);
            if (!path) {
                MessageBeep(MB_ICONHAND);
                continue;
            }
            if (!isUsableDroppedName(*path)) {
                reportError(kBadDroppedNameText);
                continue;
            }
            reportStart(startCommand(command, &*path));
        }
    }
    lateBound::dragFinish(drop);
}

void LaunchButton::reportStart(const StartOutcome& outcome)
{
    if (!outcome.refused.empty()) {
        reportError(std::string(kBatchRefusedText) + "\n" + outcome.refused + "\n" + kBatchRefusedNext);
        return;
    }
    std::string text = startReportText(outcome.failure, outcome.trouble, site_.itemNumber(slot), outcome.command);
    if (!text.empty())
        reportError(text);
}

void LaunchButton::reportError(const std::string& text)
{
    MessageBeep(MB_ICONHAND);
    showMessageBox(hwnd_, text.c_str(), kStartFailedCaption, MB_OK | MB_ICONHAND);
}

namespace {

// What an item's command names at this moment; nothing for an empty item.
ResolvedCommand resolvedNow(const std::string& command)
{
    return command.empty() ? ResolvedCommand{} : resolveCommand(command, systemFileLookup(), isAnsiLeadByte);
}

} // namespace

void LaunchButton::showItemMenu(POINT screenPoint, bool byKeyboard)
{
    if (!site_.acceptsInput())
        return;
    // What the item's command names now: the entries follow the rule every start follows.
    const std::string command = site_.commandAt(slot);
    ResolvedCommand resolved = resolvedNow(command);
    ShellMenu shell;
    shellMenu_ = &shell;
    UINT chosen = chooseItemMenuEntry(hwnd_, command, resolved, screenPoint, byKeyboard, shell);
    bool relaysOut = chosen == kItemEdit || chosen == kItemRegister;
    if (chosen && !relaysOut)
        doMenuEntry(chosen);
    shellMenu_ = nullptr;
    if (relaysOut)
        doMenuEntry(chosen); // the editor relays the bar out: nothing of this button after it
}

void LaunchButton::doMenuEntry(UINT entry)
{
    // Chosen under the menu's own loop: the bar may have gone out of sight since.
    if (!site_.acceptsInput())
        return;
    const std::string command = site_.commandAt(slot);
    ResolvedCommand resolved = resolvedNow(command);
    auto failed = [&](const char* text) { reportError(std::string(text) + "\n" + resolved.file); };
    switch (entry) {
    case kItemOpen:
        startItem();
        break;
    case kItemRunAs:
        reportStart(runAsAdministrator(command));
        break;
    case kItemLocation:
        if (resolved.kind != StartKind::missing && !openFileLocation(resolved.file))
            failed(kLocationFailedText);
        break;
    case kItemProperties:
        if (resolved.kind != StartKind::missing && !showProperties(resolved.file))
            failed(kPropertiesFailedText);
        break;
    case kItemEmpty: {
        // A menu entry is easy to hit: an item that holds something is emptied only when confirmed.
        if (!command.empty() || !site_.nameAt(slot).empty()) {
            std::string question = kEmptyQuestionStart + std::to_string(site_.itemNumber(slot)) + kEmptyQuestionEnd +
                                   "\n" + site_.nameAt(slot);
            if (showMessageBox(hwnd_, question.c_str(), kInformationCaption,
                               MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
                break;
        }
        storeItem(std::string(), std::string());
        break;
    }
    case kItemEdit:
    case kItemRegister:
        site_.editItem(*this); // relays the bar out: nothing of this button after it
        return;
    default:
        if (shellMenu_ && shellMenu_->owns(entry))
            shellMenu_->invoke(hwnd_, entry);
        break;
    }
}
