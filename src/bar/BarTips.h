// What each button of the bar says in its tooltip, from the bar's state.
#pragma once

#include <string>

#include "BarSettings.h"
#include "BarTexts.h"

// NEXT and BEFORE name the items of the page they lead to, or that there is none.
inline std::string nextPageTip(int current, int menuSize)
{
    if (current + menuSize > kMaxItem)
        return kTipNoNextPage;
    int first = current + menuSize;
    return std::string(kTipNextPage) + std::to_string(first) + "-" + std::to_string(first + menuSize - 1);
}

inline std::string previousPageTip(int current, int menuSize)
{
    if (current <= 0)
        return kTipNoPreviousPage;
    int first = current - menuSize < 0 ? 0 : current - menuSize;
    return std::string(kTipPreviousPage) + std::to_string(first) + "-" + std::to_string(first + menuSize - 1);
}

// The item's number, whole name and command, or how to register one.
inline std::string launchTip(int item, const std::string& name, const std::string& command)
{
    std::string tip = std::string(kTipItem) + std::to_string(item) + kTipItemSeparator;
    if (name.empty() && command.empty())
        return tip + kTipUnregistered + "\n" + kTipHowToRegister;
    tip += name;
    tip += '\n';
    if (command.empty())
        return tip + kTipNoCommand + kTipHowToRegister;
    return tip + command;
}
