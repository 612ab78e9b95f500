// The command lines a launch button hands to WinExec, for a click and for a dropped file.
#pragma once

#include <string>
#include <string_view>

#include "framework/PathParts.h"
#include "framework/TextCut.h"

// Tells whether a path names an existing file or folder. Win32-free code
// takes it as a parameter.
using PathExistsTest = bool (*)(const std::string& path);

// Blanks split a command line into program and arguments. Neither byte can
// be the second byte of a code page 932 character, so no lead-byte test is needed.
inline bool hasBlank(std::string_view text)
{
    return text.find_first_of(" \t") != std::string_view::npos;
}

inline std::string inQuotes(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    result += text;
    result += '"';
    return result;
}

// An item's command as started: a command that as a whole names an existing
// file and holds a blank is quoted, so "C:\Program Files\x.exe" cannot start a
// planted "C:\Program.exe". Anything else goes out as stored.
inline std::string clickCommandLine(const std::string& command, PathExistsTest exists)
{
    if (hasBlank(command) && exists(command))
        return inQuotes(command);
    return command;
}

// Whether a dropped path gets a dot: its name has no extension (a folder too),
// so the started program does not add one of its own.
inline bool needsTrailingDot(std::string_view path, LeadByteTest isLead)
{
    PathParts parts = splitPath(path, isLead);
    return !parts.baseName.empty() && parts.extension.empty();
}

// The item's command, a blank and the dropped path (with the dot when its name
// has no extension). A path with a blank is quoted with the dot inside. No
// size limit: the path comes whole.
inline std::string dropCommandLine(const std::string& command, std::string_view path, LeadByteTest isLead,
                                   PathExistsTest exists)
{
    std::string argument(path);
    if (needsTrailingDot(path, isLead))
        argument += '.';
    if (hasBlank(argument))
        argument = inQuotes(argument);
    return clickCommandLine(command, exists) + ' ' + argument;
}
