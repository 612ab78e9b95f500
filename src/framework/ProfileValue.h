// How a value is written to the profile so that it reads back as it was.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
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

// The profile functions strip blanks at either end of a value and one pair of quotes
// (double or single) that encloses it. A value that would lose either is written in one
// more pair of quotes, so `"C:\my app\x.exe" "arg"` and `  spaced name  ` read back
// unchanged.
inline std::string profileValueToWrite(std::string_view value)
{
    auto isQuote = [](char c) { return c == '"' || c == '\''; };
    bool quoted = value.size() >= 1 && isQuote(value.front()) && isQuote(value.back());
    bool blankEnds = !value.empty() && (isBlank(value.front()) || isBlank(value.back()));
    if (!quoted && !blankEnds)
        return std::string(value);
    std::string result;
    result.reserve(value.size() + 2);
    result += '"';
    result += value;
    result += '"';
    return result;
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

inline std::string_view keyOfLine(std::string_view line)
{
    std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? line : line.substr(0, equals);
}

// Whether the file still holds every line it held before an action, the action's own keys
// aside; lines another program added meanwhile do not matter. A file cut short (a full
// disk) has lost lines. Repeated sections and lines are counted as often as they appear.
struct ProfileKey {
    std::string section;
    std::string key;
};

inline bool keepsEveryOtherLine(const ProfileContents& before, const ProfileContents& after,
                                const std::vector<ProfileKey>& written)
{
    auto isWritten = [&](std::string_view section, std::string_view line) {
        for (const ProfileKey& k : written)
            if (sameAsciiIgnoringCase(k.section, section) && sameAsciiIgnoringCase(k.key, keyOfLine(line)))
                return true;
        return false;
    };
    std::vector<std::pair<std::string_view, std::string_view>> left;
    for (const ProfileSection& s : after)
        for (const std::string& line : s.lines)
            left.emplace_back(s.name, line);
    for (const ProfileSection& s : before) {
        for (const std::string& line : s.lines) {
            if (isWritten(s.name, line))
                continue;
            auto found = std::find_if(left.begin(), left.end(), [&](const auto& entry) {
                return sameAsciiIgnoringCase(entry.first, s.name) && entry.second == line;
            });
            if (found == left.end())
                return false;
            left.erase(found);
        }
    }
    return true;
}

// Whether a key is in the file, the first section of its name and its first line.
inline bool holdsKey(const ProfileContents& contents, std::string_view section, std::string_view key)
{
    for (const ProfileSection& s : contents) {
        if (!sameAsciiIgnoringCase(s.name, section))
            continue;
        for (const std::string& line : s.lines)
            if (line.find('=') != std::string::npos && sameAsciiIgnoringCase(keyOfLine(line), key))
                return true;
        return false;
    }
    return false;
}
