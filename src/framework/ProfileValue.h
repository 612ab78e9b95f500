// How a value is written to the profile so that it reads back as it was.
#pragma once

#include <string>
#include <string_view>

// The profile functions strip one pair of quotes (double or single) that
// encloses a whole value. A value whose first and last characters are quotes
// gets one more pair, so `"C:\my app\x.exe" "arg"` reads back unchanged.
inline std::string profileValueToWrite(std::string_view value)
{
    auto isQuote = [](char c) { return c == '"' || c == '\''; };
    std::string result;
    if (!value.empty() && isQuote(value.front()) && isQuote(value.back())) {
        result.reserve(value.size() + 2);
        result += '"';
        result += value;
        result += '"';
        return result;
    }
    return std::string(value);
}
