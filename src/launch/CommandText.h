// The text of a command line: blanks, quotes, dropped paths as arguments and a batch file's line for cmd.exe.
#pragma once

#include <string>
#include <string_view>

#include "framework/PathParts.h"

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

// A line break would start a new line of the profile or end a command line;
// a tab is a blank like any other.
inline bool hasControlCharacter(std::string_view text)
{
    for (char c : text)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
            return true;
    return false;
}

// Characters cmd.exe gives a meaning of its own, outside quotes.
inline bool isShellSpecial(char c)
{
    return std::string_view("&|<>^()[]{}=;!'+,`~@").find(c) != std::string_view::npos;
}

// A dropped path as one argument: a dot where its name has no extension, so
// the started program adds none of its own, and quotes where it holds a blank
// or a character cmd.exe would act on.
inline std::string droppedArgument(std::string_view path, LeadByteTest isLead)
{
    std::string argument(path);
    PathParts parts = splitPath(path, isLead);
    if (!parts.baseName.empty() && parts.extension.empty())
        argument += '.';
    for (char c : argument)
        if (isBlank(c) || isShellSpecial(c))
            return inQuotes(argument);
    return argument;
}

// Why a dropped name cannot be used: a control character would start a new
// line of the profile, a quote would end the argument early, and blanks at
// either end are lost by the profile and by the started program.
inline bool isUsableDroppedName(std::string_view path)
{
    return !path.empty() && !hasControlCharacter(path) && path.find('"') == std::string_view::npos &&
           !isBlank(path.front()) && !isBlank(path.back());
}

// The arguments of a batch file as cmd.exe must see them, or false when one
// cannot be passed on as it stands: cmd.exe expands %...% anywhere on its line,
// has no escape for a quote inside an argument, and ends the line at a control
// character. Each argument is quoted where it holds a blank or a special character.
inline bool batchArguments(std::string_view arguments, std::string& line)
{
    line.clear();
    if (hasControlCharacter(arguments))
        return false;
    std::size_t i = 0;
    while (i < arguments.size()) {
        while (i < arguments.size() && isBlank(arguments[i]))
            ++i;
        if (i == arguments.size())
            break;
        std::string value;
        bool quoted = arguments[i] == '"';
        if (quoted) {
            std::size_t close = arguments.find('"', i + 1);
            if (close == std::string_view::npos)
                return false;
            value = std::string(arguments.substr(i + 1, close - i - 1));
            i = close + 1;
            if (i < arguments.size() && !isBlank(arguments[i]))
                return false; // a quote in the middle of an argument
        } else {
            std::size_t end = i;
            while (end < arguments.size() && !isBlank(arguments[end]))
                ++end;
            value = std::string(arguments.substr(i, end - i));
            i = end;
            if (value.find('"') != std::string::npos)
                return false;
        }
        bool needsQuotes = value.empty();
        for (char c : value)
            needsQuotes = needsQuotes || isShellSpecial(c);
        line += ' ';
        line += needsQuotes || hasBlank(value) ? inQuotes(value) : value;
    }
    return true;
}

// cmd.exe's whole line for a batch file and its arguments, or empty when it
// cannot be started safely. /s takes the outer quotes off what follows /c and
// leaves the rest as it stands; /d skips AutoRun; /v:off keeps '!' literal.
inline std::string batchCommandLine(const std::string& batchFile, std::string_view arguments)
{
    std::string passed;
    if (!batchArguments(arguments, passed) || batchFile.find('"') != std::string::npos ||
        hasControlCharacter(batchFile))
        return {};
    std::string inner = inQuotes(batchFile) + passed;
    std::size_t percents = 0;
    for (char c : inner)
        percents += c == '%';
    if (percents >= 2)
        return {};
    return "cmd.exe /d /v:off /s /c \"" + inner + "\"";
}

// A dropped name the code page cannot hold is used by its short (8.3) name only
// where that keeps the long name's extension, so the file stays what it is: a
// disarmed "x.exe_" must not become a program, nor "a.batch" a batch file.
inline bool shortNameKeepsExtension(std::wstring_view longPath, std::string_view shortPath, LeadByteTest isLead)
{
    std::size_t nameStart = longPath.find_last_of(L"\\/");
    std::wstring_view name = longPath.substr(nameStart == std::wstring_view::npos ? 0 : nameStart + 1);
    std::size_t dot = name.rfind(L'.');
    std::wstring_view longExtension = dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot);
    std::string shortExtension = splitPath(shortPath, isLead).extension;
    if (longExtension.size() != shortExtension.size())
        return false;
    for (std::size_t i = 0; i < longExtension.size(); ++i) {
        wchar_t c = longExtension[i];
        if (c > 0x7F || !sameAsciiIgnoringCase(std::string(1, static_cast<char>(c)), shortExtension.substr(i, 1)))
            return false;
    }
    return true;
}
