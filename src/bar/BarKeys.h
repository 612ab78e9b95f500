// The bar by keyboard: the hotkey's flags and the order of the focus.
#pragma once

// The hotkey is stored as the hotkey control keeps it: the virtual key in the
// low byte, HOTKEYF_ flags in the high one (Shift 1, Ctrl 2, Alt 4, extended 8).
constexpr int hotKeyKey(int stored)
{
    return stored & 0xFF;
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
