// What each button of the bar says in its tooltip, from the bar's state.
#pragma once

#include <string>

#include "BarSettings.h"
#include "BarTexts.h"

// The items of a page: "8～15", or one number for a one-item page.
inline std::string itemRange(int first, int menuSize)
{
    if (menuSize <= 1)
        return std::to_string(first);
    return std::to_string(first) + kTipRangeDash + std::to_string(first + menuSize - 1);
}

// NEXT and BEFORE name the items of the page they lead to, or that there is none.
inline std::string nextPageTip(int current, int menuSize)
{
    if (current + menuSize > kMaxItem)
        return kTipNoNextPage;
    int first = current + menuSize;
    return kTipNextPage + itemRange(first, menuSize);
}

inline std::string previousPageTip(int current, int menuSize)
{
    if (current <= 0)
        return kTipNoPreviousPage;
    int first = current - menuSize < 0 ? 0 : current - menuSize;
    return kTipPreviousPage + itemRange(first, menuSize);
}

// An empty item as a screen reader names it: "空き（項目 12）".
inline std::string emptyItemName(int item)
{
    return kAccessibleEmptyItem + std::to_string(item) + kAccessibleEmptyItemEnd;
}

// The item's number, whole name and command, or how to register one; and the file a click
// starts (its full path, as the one rule found it: empty when it found nothing).
inline std::string launchTip(int item, const std::string& name, const std::string& command,
                             const std::string& startedFile = {})
{
    std::string tip = std::string(kTipItem) + std::to_string(item) + kTipItemSeparator;
    if (name.empty() && command.empty())
        return tip + kTipUnregistered + "\n" + kTipHowToRegister;
    tip += name.empty() ? kTipNameless : name;
    tip += '\n';
    if (command.empty())
        return tip + kTipNoCommand + kTipHowToRegister;
    return tip + command + "\n" + (startedFile.empty() ? std::string(kTipNothingStarts) : kTipStarts + startedFile);
}
