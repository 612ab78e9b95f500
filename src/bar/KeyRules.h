// The bar by keyboard, as rules: the hotkey's flags, the order of the focus, what each key does.
#pragma once

#include <string>

// The hotkey is stored as the hotkey control keeps it: the virtual key in the
// low byte, HOTKEYF_ flags in the high one (Shift 1, Ctrl 2, Alt 4, extended 8).
constexpr int hotKeyKey(int stored)
{
    return stored & 0xFF;
}

// The hotkey as the program writes it: "Ctrl+Alt+Z". Letters, digits and F1 to F24 are named
// here, the same on every keyboard; any other key by the name the system gives it.
inline std::string hotKeyText(int stored, const std::string& systemKeyName)
{
    int flags = (stored >> 8) & 0xFF;
    std::string text;
    if (flags & 2)
        text += "Ctrl+";
    if (flags & 4)
        text += "Alt+";
    if (flags & 1)
        text += "Shift+";
    int key = hotKeyKey(stored);
    if (key == 0)
        return text; // modifiers held, no key yet: "Ctrl+Alt+"
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return text + static_cast<char>(key);
    constexpr int kF1 = 0x70, kF24 = 0x87;
    if (key >= kF1 && key <= kF24)
        return text + "F" + std::to_string(key - kF1 + 1);
    return text + (systemKeyName.empty() ? std::to_string(key) : systemKeyName);
}

// RegisterHotKey's MOD_ flags (Alt 1, Ctrl 2, Shift 4) for the stored flags.
constexpr unsigned hotKeyModifiers(int stored)
{
    int flags = (stored >> 8) & 0xFF;
    return ((flags & 1) ? 4u : 0u) | ((flags & 2) ? 2u : 0u) | ((flags & 4) ? 1u : 0u);
}

// The buttons take the focus left to right: SYSMENU, the launch buttons, help,
// BEFORE, NEXT, CHANGE, ICON; the ends meet.
constexpr int nextFocus(int index, int count, bool backwards)
{
    if (count <= 0)
        return 0;
    int step = backwards ? count - 1 : 1;
    return ((index % count + count) % count + step) % count;
}

// What a key does on the bar, while the bar or one of its buttons has the keyboard.
enum class BarKey {
    none,      // not the bar's: the window's own processing
    ignored,   // the bar's, but it does nothing now
    focusOn,   // the focus to the next button
    focusBack, // the focus to the one before
    activate,  // Enter: a launch button starts, another button is clicked
    pageBack,  // PageUp, as BEFORE
    pageOn,    // PageDown, as NEXT
    menu,      // Shift+F10 or the menu key: the command menu
    escape,    // Esc: a drag ends where it began, else the keyboard goes back
};

// Keys by their virtual-key codes. A bar out of sight or under a dialog acts on no key
// but Esc; a key held down acts once: its repeats start, page and open nothing (the
// arrows and Tab move on).
constexpr BarKey barKeyFor(unsigned virtualKey, bool shift, bool repeat, bool acceptsInput)
{
    constexpr unsigned kTab = 0x09, kReturn = 0x0D, kEscape = 0x1B, kPrior = 0x21, kNext = 0x22, kLeft = 0x25,
                       kRight = 0x27, kApps = 0x5D, kF10 = 0x79;
    BarKey key = BarKey::none;
    switch (virtualKey) {
    case kLeft:
        key = BarKey::focusBack;
        break;
    case kRight:
        key = BarKey::focusOn;
        break;
    case kTab:
        key = shift ? BarKey::focusBack : BarKey::focusOn;
        break;
    case kReturn:
        key = BarKey::activate;
        break;
    case kPrior:
        key = BarKey::pageBack;
        break;
    case kNext:
        key = BarKey::pageOn;
        break;
    case kApps:
        key = BarKey::menu;
        break;
    case kF10:
        key = shift ? BarKey::menu : BarKey::none;
        break;
    case kEscape:
        return BarKey::escape;
    }
    if (key == BarKey::none)
        return key;
    bool moves = key == BarKey::focusOn || key == BarKey::focusBack;
    if (!acceptsInput || (repeat && !moves))
        return BarKey::ignored;
    return key;
}
