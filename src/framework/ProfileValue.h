// How a value is written to the profile so that it reads back as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "TextCut.h"

// The profile functions strip blanks and tabs around a value: a typed value
// loses them before it is stored, so what is stored is what reads back.
inline std::string_view trimBlanks(std::string_view value)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!value.empty() && blank(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && blank(value.back()))
        value.remove_suffix(1);
    return value;
}

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

// The profile as its functions read it: the sections in order, each with its
// lines ("key=value"). An action's writes must change exactly the keys it
// wrote: a full disk can cut the file far from them.
struct ProfileSection {
    std::string name;
    std::vector<std::string> lines;
    bool operator==(const ProfileSection&) const = default;
};
using ProfileContents = std::vector<ProfileSection>;

// What writing a key does: its first line takes the value (the key keeps the
// case it had), or a line is added at the end of its section, or the section
// at the end of the file.
inline void applyWrite(ProfileContents& contents, std::string_view section, std::string_view key,
                       std::string_view value)
{
    std::string line = std::string(key) + "=" + profileValueToWrite(value);
    for (ProfileSection& s : contents) {
        if (!sameAsciiIgnoringCase(s.name, section))
            continue;
        for (std::string& existing : s.lines) {
            std::size_t equals = existing.find('=');
            std::string_view existingKey = std::string_view(existing).substr(0, equals);
            if (equals != std::string::npos && sameAsciiIgnoringCase(existingKey, key)) {
                existing = std::string(existingKey) + "=" + profileValueToWrite(value);
                return;
            }
        }
        s.lines.push_back(line);
        return;
    }
    contents.push_back({std::string(section), {line}});
}
