// The push button of one slot of the shown page.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "ItemMenu.h"
#include "LaunchButtonSite.h"
#include "StartCommand.h"
#include "framework/ShellMenu.h"
#include "framework/Window.h"

class LaunchButton : public SubclassedControl {
public:
    LaunchButton(LaunchButtonSite& site, int slot) : slot(slot), site_(site) {}

    const int slot; // position on the page and index into the holder's item table
    int armed = 0;  // set by a left press inside the button, cleared by the next left release

    // A push button (WS_CHILD | WS_VISIBLE) that accepts drops, as DragAcceptFiles
    // would make it, without loading the shell at start.
    bool create(const std::string& caption, const RECT& rect, HWND parent, int id, DWORD extraStyle = 0);
    // Starts the item as a click does, and reports a failed start (Enter on the focused button too).
    void startItem();
    // The caption, kept here too: under Wine reading a window's text back costs a server call.
    void setCaption(const std::string& text);
    const std::string& caption() const { return caption_; }
    // Esc while dragging: the drag ends where it began, and nothing happens.
    bool dragging() const { return dragging_; }
    void cancelDrag();

    // The item's own menu, beside the button: a right click (at the pointer), Shift+F10 or
    // the menu key (at the button). May end with a relayout: the caller's last use of it.
    void showItemMenu(POINT screenPoint, bool byKeyboard);
    // What an entry does, for the item as it is now; the edit may destroy this button.
    void doMenuEntry(UINT entry);

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onLeftDown(POINT point);
    // Dragging onto another launch button of the page swaps the two items.
    void onDragMove(POINT point);
    void showDropTarget(HWND target);
    // Released at a point of this button's client area (the capture reports it so).
    void endDrag(POINT point);
    // May end with a relayout that destroys this button: the caller's last use of it.
    void onLeftUp(UINT keys, POINT point);
    void onDropFiles(HDROP drop);
    // Writes the item and shows it; after a failed write, shows what the file holds and says so.
    void storeItem(const std::string& name, const std::string& command);
    void registerDrop(HDROP drop);
    void startForDrop(std::string command, HDROP drop);
    // Reports results 2, 3 and 11, and a refused batch file, with a beep and an "Error message" box.
    void reportStart(const StartOutcome& outcome);
    void reportError(const std::string& text);

    LaunchButtonSite& site_;
    // The shell's menu of the item's file while the item's menu shows, and until its entry ran.
    ShellMenu* shellMenu_ = nullptr;
    std::string caption_;
    POINT pressPoint_{};
    bool dragging_ = false;
    HWND dropTarget_ = nullptr;
};
