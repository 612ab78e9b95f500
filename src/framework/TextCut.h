// Cutting texts to a fixed field size without splitting a double-byte character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Equal but for the case of ASCII letters, as the profile functions compare keys
// and section names, and Windows file extensions.
inline bool sameAsciiIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] + 32) : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] + 32) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

// A blank or a tab: what the profile functions strip around a value and what splits a
// command line. Neither byte can be the second byte of a code page 932 character.
inline bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Tells whether a byte is the lead byte of a double-byte character in the
// running ANSI code page. Win32-free code takes it as a parameter.
using LeadByteTest = bool (*)(unsigned char);

// The widest text a 260-byte field holds, without its terminator.
constexpr std::size_t kFieldBytes = 259;

// Length of the longest prefix of text that fits maxBytes and ends on a
// character boundary. A lead byte with nothing after it counts as one byte.
inline std::size_t fittingLength(std::string_view text, LeadByteTest isLead, std::size_t maxBytes)
{
    std::size_t used = 0;
    while (used < text.size()) {
        std::size_t step = (isLead(static_cast<unsigned char>(text[used])) && used + 1 < text.size()) ? 2 : 1;
        if (used + step > maxBytes)
            break;
        used += step;
    }
    return used;
}

inline std::string cutToField(std::string_view text, LeadByteTest isLead, std::size_t maxBytes = kFieldBytes)
{
    return std::string(text.substr(0, fittingLength(text, isLead, maxBytes)));
}
