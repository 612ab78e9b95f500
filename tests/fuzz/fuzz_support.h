// What the fuzz targets share: the lead-byte tests and a check that stops the run with a message.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "framework/TextCut.h"

inline bool cp932Lead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

inline bool noLead(unsigned char)
{
    return false;
}

// The low bit of a control byte picks the code page.
inline LeadByteTest leadTestFrom(unsigned char control)
{
    return (control & 1) ? cp932Lead : noLead;
}

// Where each character of text starts, walking it as the code page reads it,
// and its end: a lead byte with a byte after it takes that byte along.
inline bool isCharacterStart(std::string_view text, LeadByteTest isLead, std::size_t at)
{
    std::size_t i = 0;
    while (i < at)
        i += (isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    return i == at;
}

// libFuzzer reports the abort as a crash and keeps the input that caused it.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)

// What the system makes of a full path before it looks (GetFullPathName): "." and ".."
// taken as steps whatever the name before them, and dots and blanks at a name's end
// dropped. The model disks look paths up so, as the file system would.
inline std::string systemPath(std::string_view path, LeadByteTest isLead)
{
    if (path.size() < 3 || path[1] != ':')
        return std::string(path);
    std::vector<std::string> names;
    std::string name;
    auto endName = [&] {
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (name != ".") {
            while (!name.empty() && (name.back() == '.' || name.back() == ' ' || name.back() == '\t'))
                name.pop_back();
            if (!name.empty())
                names.push_back(name);
        }
        name.clear();
    };
    for (std::size_t i = 3; i < path.size(); ++i) {
        if (isLead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            name += path.substr(i, 2);
            ++i;
        } else if (path[i] == '\\' || path[i] == '/') {
            endName();
        } else {
            name += path[i];
        }
    }
    endName();
    std::string result(path.substr(0, 2));
    result += '\\';
    for (std::size_t i = 0; i < names.size(); ++i)
        result += (i ? "\\" : "") + names[i];
    return result;
}
