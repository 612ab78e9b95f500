// Reading a decimal integer typed into a box: blanks or tabs may stand around it, nothing else.
#pragma once

#include <climits>
#include <optional>
#include <string_view>

#include "TextCut.h"

inline std::optional<int> parseDecimal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::size_t digitsStart = i;
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i++] - '0');
        // Past the range of int: not a number the program can hold.
        if (value > static_cast<long long>(INT_MAX) + 1)
            return std::nullopt;
    }
    if (i == digitsStart)
        return std::nullopt;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i != text.size())
        return std::nullopt;
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return static_cast<int>(value);
}
