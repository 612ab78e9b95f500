// The shell's own context menu of a file.
#include "ShellMenu.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "LateBound.h"
#include "WideText.h"

ShellMenu::~ShellMenu()
{
    if (menu3_)
        menu3_->Release();
    if (menu2_)
        menu2_->Release();
    if (menu_)
        menu_->Release();
}

bool ShellMenu::fill(HWND owner, HMENU submenu, const std::string& path, UINT first, UINT last)
{
    // The shell's menus are COM objects of this thread's apartment.
    lateBound::coInitialize();
    PIDLIST_ABSOLUTE item = nullptr;
    if (FAILED(lateBound::shParseDisplayName(wideText(path).c_str(), nullptr, &item, 0, nullptr)) || !item)
        return false;
    IShellFolder* folder = nullptr;
    PCUITEMID_CHILD child = nullptr;
    if (SUCCEEDED(lateBound::shBindToParent(item, IID_IShellFolder, reinterpret_cast<void**>(&folder), &child)) &&
        folder) {
        folder->GetUIObjectOf(owner, 1, &child, IID_IContextMenu, nullptr, reinterpret_cast<void**>(&menu_));
        folder->Release();
    }
    lateBound::coTaskMemFree(item);
    if (!menu_ || FAILED(menu_->QueryContextMenu(submenu, 0, first, last, CMF_NORMAL))) {
        if (menu_)
            menu_->Release();
        menu_ = nullptr;
        return false;
    }
    menu_->QueryInterface(IID_IContextMenu3, reinterpret_cast<void**>(&menu3_));
    menu_->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&menu2_));
    first_ = first;
    last_ = last;
    return GetMenuItemCount(submenu) > 0;
}

bool ShellMenu::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_MENUCHAR:
        break;
    default:
        return false;
    }
    result = 0;
    if (menu3_)
        return SUCCEEDED(menu3_->HandleMenuMsg2(message, wParam, lParam, &result));
    if (menu2_)
        return SUCCEEDED(menu2_->HandleMenuMsg(message, wParam, lParam));
    return false;
}

bool ShellMenu::invoke(HWND owner, UINT id)
{
    if (!owns(id))
        return false;
    CMINVOKECOMMANDINFO command{};
    command.cbSize = sizeof command;
    command.hwnd = owner;
    command.lpVerb = MAKEINTRESOURCEA(id - first_);
    command.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu_->InvokeCommand(&command));
}
