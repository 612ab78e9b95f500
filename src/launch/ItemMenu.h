// A launch button's own menu: its entries for what the item's command names, shown beside the button.
#pragma once

#include <windows.h>

#include <string>

#include "CommandResolver.h"
#include "framework/ShellMenu.h"

enum ItemMenuEntry : UINT {
    kItemOpen = 1,
    kItemRunAs,
    kItemLocation,
    kItemProperties,
    kItemEdit,
    kItemEmpty,
    kItemRegister,
    kItemShellFirst = 0x100,
    kItemShellLast = 0x7FFF,
};

// Shows the menu beside the button (at the pointer's x, or at its left edge when opened by
// keyboard) and returns the entry chosen, or 0. An empty command offers only to register one;
// the shell's own entries for the file fill the shell menu's submenu.
UINT chooseItemMenuEntry(HWND button, const std::string& command, const ResolvedCommand& resolved, POINT at,
                         bool byKeyboard, ShellMenu& shell);
