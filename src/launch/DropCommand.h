// The command lines a launch button hands to WinExec, for a click and for a dropped file.
#pragma once

#include <string>
#include <string_view>

#include "framework/PathParts.h"
#include "framework/TextCut.h"

// Blanks split a command line into program and arguments. Neither byte can
// be the second byte of a code page 932 character, so no lead-byte test is needed.
inline bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

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

// Whether a prefix of an unquoted command names a program file: as given, or
// with ".exe" added where its name has no extension, as the system tries it.
inline bool namesProgramFile(const std::string& prefix, PathKindTest kind, LeadByteTest isLead)
{
    if (kind(prefix) == PathKind::file)
        return true;
    PathParts parts = splitPath(prefix, isLead);
    return !parts.baseName.empty() && parts.extension.empty() && kind(prefix + ".exe") == PathKind::file;
}

// An item's command as started. Unquoted with a blank, the system would try
// each blank-ended prefix from the shortest, so "C:\my app\tool.exe /min"
// could start a planted "C:\my.exe". A command that as a whole names an
// existing file or folder is quoted whole; otherwise the longest blank-ended
// prefix that names a program file is quoted and the rest kept as arguments.
// A quoted command, one without a blank, or one where nothing matches goes
// out as stored.
inline std::string clickCommandLine(const std::string& command, PathKindTest kind, LeadByteTest isLead)
{
    if (command.empty() || command.front() == '"' || !hasBlank(command))
        return command;
    if (kind(command) != PathKind::missing)
        return inQuotes(command);
    for (std::size_t end = command.size(); end-- > 1;) {
        if (!isBlank(command[end]) || isBlank(command[end - 1]))
            continue;
        std::string prefix = command.substr(0, end);
        if (!namesProgramFile(prefix, kind, isLead))
            continue;
        // Without a blank the prefix is what the system would take anyway.
        if (!hasBlank(prefix))
            return command;
        return inQuotes(prefix) + command.substr(end);
    }
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
                                   PathKindTest kind)
{
    std::string argument(path);
    if (needsTrailingDot(path, isLead))
        argument += '.';
    if (hasBlank(argument))
        argument = inQuotes(argument);
    return clickCommandLine(command, kind, isLead) + ' ' + argument;
}
