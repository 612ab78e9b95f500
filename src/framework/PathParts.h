// Splitting a path into drive, directory, base name and extension, knowing double-byte characters.
#pragma once

#include <string>
#include <string_view>

#include "TextCut.h"

// What a path names on disk. Win32-free code takes the test as a parameter.
enum class PathKind { missing, file, folder };
using PathKindTest = PathKind (*)(const std::string& path);

struct PathParts {
    std::string drive;     // "C:" or empty
    std::string directory; // up to and including the last '\' or '/'
    std::string baseName;  // between the directory and the extension
    std::string extension; // from the last dot after the directory, dot included
};

// Each part is cut to 255 bytes, as the C runtime's split does.
constexpr std::size_t kPathPartBytes = 255;

inline PathParts splitPath(std::string_view path, LeadByteTest isLead)
{
    PathParts parts;
    std::size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' && !isLead(static_cast<unsigned char>(path[0]))) {
        parts.drive = std::string(path.substr(0, 2));
        start = 2;
    }
    // One pass, stepping over whole characters so that a trail byte of 0x5C or
    // 0x2E is never taken for a separator or a dot.
    std::size_t nameStart = start;
    std::size_t lastDot = std::string_view::npos;
    for (std::size_t i = start; i < path.size();) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (isLead(c) && i + 1 < path.size()) {
            i += 2;
            continue;
        }
        if (c == '\\' || c == '/') {
            nameStart = i + 1;
            lastDot = std::string_view::npos;
        } else if (c == '.') {
            lastDot = i;
        }
        ++i;
    }
    std::size_t nameEnd = lastDot == std::string_view::npos ? path.size() : lastDot;
    parts.directory = cutToField(path.substr(start, nameStart - start), isLead, kPathPartBytes);
    parts.baseName = cutToField(path.substr(nameStart, nameEnd - nameStart), isLead, kPathPartBytes);
    parts.extension = cutToField(path.substr(nameEnd), isLead, kPathPartBytes);
    return parts;
}

inline bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// A drive and a root ("C:\") or a server share ("\\server"): the path names one place
// whatever the current directory.
inline bool isFullyQualified(std::string_view path)
{
    if (path.size() >= 3 && path[1] == ':' && isSeparator(path[2]))
        return ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z');
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

// The system ignores dots and blanks at the end of a name, so "x.exe." would
// reach "x.exe": such a name is never taken for a file.
inline bool endsLikeNoName(std::string_view path)
{
    return path.empty() || path.back() == '.' || isBlank(path.back());
}

inline std::string joinPath(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (!path.empty() && !isSeparator(path.back()))
        path += '\\';
    path += name;
    return path;
}
