// What a launch button needs of the window that holds it; the bar implements it.
#pragma once

#include <windows.h>

#include <string>

class LaunchButton;

class LaunchButtonSite {
public:
    // The one gate for input: no dialog, box or menu of the program open, the holder
    // enabled and shown. Clicks, drags, drops and keys all ask it.
    virtual bool acceptsInput() const = 0;
    // The item a slot of the page stands for, its name as shown and its whole command.
    virtual int itemNumber(int slot) const = 0;
    virtual const std::string& nameAt(int slot) const = 0;
    virtual const std::string& commandAt(int slot) const = 0;
    // The slot's item now holds this, as the profile has it (after a write, or after its failure).
    virtual void itemChanged(int slot, const std::string& name, const std::string& command) = 0;
    // Shift-click: the item editor on the button's item. Relays the page out, which may
    // destroy every button, the asking one too.
    virtual void editItem(LaunchButton& button) = 0;
    // The launch button of the page under a point of the screen, or null.
    virtual LaunchButton* buttonAt(POINT screenPoint) = 0;
    // A drag asks for two items of the page to change places.
    virtual void swapItems(int slot, int otherSlot) = 0;

protected:
    ~LaunchButtonSite() = default;
};
