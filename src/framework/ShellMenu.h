// The shell's own context menu of a file, as a submenu: what Explorer and other programs put there.
#pragma once

#include <windows.h>

#include <string>

struct IContextMenu;
struct IContextMenu2;
struct IContextMenu3;

class ShellMenu {
public:
    ShellMenu() = default;
    ShellMenu(const ShellMenu&) = delete;
    ShellMenu& operator=(const ShellMenu&) = delete;
    ~ShellMenu();

    // Fills the submenu with the shell's entries for the file, numbered first to last;
    // false when the shell has none (the submenu stays empty).
    bool fill(HWND owner, HMENU submenu, const std::string& path, UINT first, UINT last);
    // While the menu shows, the owner hands these on: entries the shell draws itself
    // ("Send to", "Open with") need them. True when handled.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Carries out a chosen entry; false when the shell could not.
    bool invoke(HWND owner, UINT id);
    bool owns(UINT id) const { return menu_ && id >= first_ && id <= last_; }

private:
    IContextMenu* menu_ = nullptr;
    IContextMenu2* menu2_ = nullptr;
    IContextMenu3* menu3_ = nullptr;
    UINT first_ = 0;
    UINT last_ = 0;
};
