// Launch buttons: start, empty or edit an item on a click, register or start an item on a file drop.
#include "LaunchButton.h"

#include <windowsx.h>

#include <string>

#include "DropCommand.h"
#include "ItemProfile.h"
#include "LaunchTexts.h"
#include "app/LauncherApp.h"
#include "bar/LauncherBar.h"
#include "framework/WinApp.h"

namespace {

LauncherBar* mainBar()
{
    auto* app = static_cast<LauncherApp*>(WinApp::instance());
    return app ? app->bar() : nullptr;
}

bool pathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A dropped path, whole and in the ANSI code page. Fetched wide and converted
// once, so the length asked for is counted in the units of the buffer and a
// double-byte name can never be cut.
std::string droppedPath(HDROP drop, UINT index)
{
    UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    UINT copied = DragQueryFileW(drop, index, wide.data(), length + 1);
    wide.resize(copied);
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                    nullptr);
    if (bytes <= 0)
        return {};
    std::string path(static_cast<std::size_t>(bytes), '\0');
    bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), path.data(), bytes, nullptr,
                                nullptr);
    path.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0));
    return path;
}

UINT droppedFileCount(HDROP drop)
{
    return DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
}

bool droppedInside(HDROP drop)
{
    POINT point{};
    return DragQueryPoint(drop, &point) != FALSE;
}

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
        // The standard button first: it releases the capture and redraws.
        LRESULT result = defaultProc(message, wParam, lParam);
        onLeftUp(static_cast<UINT>(wParam), pointOf(lParam));
        return result; // this object may be gone
    }
    case WM_LBUTTONDOWN: {
        LRESULT result = defaultProc(message, wParam, lParam);
        onLeftDown(pointOf(lParam));
        return result;
    }
    }
    return defaultProc(message, wParam, lParam);
}

void LaunchButton::onLeftDown(POINT point)
{
    if (ChildWindowFromPoint(hwnd_, point))
        armed = 1;
}

void LaunchButton::onLeftUp(UINT keys, POINT point)
{
    if (!armed)
        return;
    armed = 0;
    if (!ChildWindowFromPoint(hwnd_, point))
        return;
    LauncherBar* bar = mainBar();
    if (!bar)
        return;
    int item = bar->Current + slot;
    // The flags as one value: Ctrl with Shift, or with another button held, starts.
    switch (keys) {
    case MK_CONTROL:
        emptyItem(*bar, item);
        break;
    case MK_SHIFT:
        bar->editItemFromButton(*this, item); // relays the bar out: nothing of this button after it
        break;
    default:
        reportStart(WinExec(clickCommandLine(bar->itemCommand[slot], pathExists).c_str(), SW_SHOWNORMAL));
        break;
    }
}

void LaunchButton::emptyItem(LauncherBar& bar, int item)
{
    bar.itemCommand[slot].clear();
    bar.itemName[slot].clear();
    writeItem(*WinApp::instance(), item, bar.itemName[slot], bar.itemCommand[slot]);
    SetWindowTextA(hwnd_, bar.itemName[slot].c_str());
}

void LaunchButton::onDropFiles(HDROP drop)
{
    LauncherBar* bar = mainBar();
    if (!bar) {
        DragFinish(drop);
        return;
    }
    if (bar->itemCommand[slot].empty()) {
        registerDrop(*bar, bar->Current + slot, drop);
    } else {
        // Taken by value: the boxes of failed starts run a message loop that may change the table.
        startForDrop(bar->itemCommand[slot], drop);
    }
}

void LaunchButton::registerDrop(LauncherBar& bar, int item, HDROP drop)
{
    if (droppedInside(drop) && droppedFileCount(drop) > 0) {
        std::string path = droppedPath(drop, 0);
        if (path.size() > kFieldBytes) {
            // It would not fit an item's field, and a cut path names another file.
            MessageBeep(MB_ICONHAND);
        } else if (!path.empty()) {
            bar.itemCommand[slot] = path;
            bar.itemName[slot] = splitPath(path, isAnsiLeadByte).baseName;
            writeItem(*WinApp::instance(), item, bar.itemName[slot], bar.itemCommand[slot]);
            SetWindowTextA(hwnd_, bar.itemName[slot].c_str());
        }
    }
    DragFinish(drop);
}

void LaunchButton::startForDrop(std::string command, HDROP drop)
{
    WaitCursor wait;
    if (droppedInside(drop)) {
        UINT count = droppedFileCount(drop);
        for (UINT i = 0; i < count; ++i) {
            std::string line = dropCommandLine(command, droppedPath(drop, i), isAnsiLeadByte, pathExists);
            reportStart(WinExec(line.c_str(), SW_SHOWNORMAL));
        }
    }
    DragFinish(drop);
}

void LaunchButton::reportStart(UINT result)
{
    const char* text = startFailureText(result);
    if (!text)
        return;
    MessageBeep(MB_ICONHAND);
    showMessageBox(hwnd_, text, kStartFailedCaption, MB_OK | MB_ICONHAND);
}
