// Rules for the bar options as read from the profile.
#pragma once

#include <string_view>

// Defaults of the "Env" keys.
constexpr int kDefaultOverTop = 1;
constexpr int kDefaultSilent = 0;
constexpr int kDefaultCurrent = 0;
constexpr int kDefaultMenuSize = 8;
constexpr int kDefaultSilentSize = 10;
// Newer options: off, and the primary monitor, when their keys are missing.
constexpr int kDefaultAppBar = 0;
constexpr int kDefaultMonitor = 1;
constexpr int kDefaultShowIcons = 0;
// Ctrl+Alt+Z: HOTKEYF_CONTROL | HOTKEYF_ALT (2 | 4) in the high byte, 'Z' in the low one; Windows uses none such.
constexpr int kDefaultHotKey = (6 << 8) | 'Z';

constexpr int kMinMenuSize = 1;
constexpr int kMaxMenuSize = 16;
// Item numbers whose keys the profile has always held.
constexpr int kMinItem = -99;
constexpr int kMaxItem = 999;

// The top edge only for the exact text "0"; anything else, the empty text
// included, docks the bar at the bottom.
constexpr int menuPosFromText(std::string_view text)
{
    return text == "0" ? 0 : 1;
}

// The bar holds 1 to 16 launch buttons and divides its width by their number.
constexpr int clampMenuSize(int value)
{
    return value < kMinMenuSize ? kMinMenuSize : value > kMaxMenuSize ? kMaxMenuSize : value;
}

constexpr int clampCurrent(int value)
{
    return value < kMinItem ? kMinItem : value > kMaxItem ? kMaxItem : value;
}
