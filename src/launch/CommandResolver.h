// What a stored command starts: the program, batch file or document it names, and its arguments.
#pragma once

#include <string>
#include <string_view>

#include "framework/PathParts.h"
#include "framework/TextCut.h"

// The file system as the resolver sees it: what a full path names, and a bare
// name found where Windows finds one (empty when it is nowhere).
struct FileLookup {
    PathKindTest kind;
    std::string (*findBare)(const std::string& name);
};

enum class StartKind {
    missing,  // nothing found: failure says 2 (no such file) or 3 (no such folder)
    program,  // started as it is
    batch,    // started through cmd.exe
    document, // opened with its associated program (a folder too)
};

struct ResolvedCommand {
    StartKind kind = StartKind::missing;
    unsigned failure = 0;
    // The full path of what starts; empty when missing.
    std::string file;
    // The command's program part as the started program sees it (quoted where
    // it holds a blank), and the arguments after it, with their leading blank.
    std::string programPart;
    std::string arguments;
};

// Blanks split a command line into program and arguments. Neither byte, nor
// the quote and the dot, can be the second byte of a code page 932 character.
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

// A line break would start a new line of the profile or end a command line;
// a tab is a blank like any other.
inline bool hasControlCharacter(std::string_view text)
{
    for (char c : text)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
            return true;
    return false;
}

// Extensions of what Windows starts as a program, in the order a missing one is tried.
constexpr const char* kProgramExtensions[] = {".exe", ".com", ".bat", ".cmd"};

// How a file is started, from its extension: programs, batch files, and everything else opened.
inline StartKind startKindOf(std::string_view path, LeadByteTest isLead)
{
    std::string extension = splitPath(path, isLead).extension;
    if (sameAsciiIgnoringCase(extension, ".exe") || sameAsciiIgnoringCase(extension, ".com"))
        return StartKind::program;
    if (sameAsciiIgnoringCase(extension, ".bat") || sameAsciiIgnoringCase(extension, ".cmd"))
        return StartKind::batch;
    return StartKind::document;
}

// A drive and a root ("C:\") or a server share ("\\server"): the path names one place
// whatever the current directory.
inline bool isFullyQualified(std::string_view path)
{
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() >= 3 && path[1] == ':' && separator(path[2]))
        return ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z');
    return path.size() >= 2 && separator(path[0]) && separator(path[1]);
}

// The system ignores dots and blanks at the end of a name, so "x.exe." would
// reach "x.exe": such a name is never taken for a file.
inline bool endsLikeNoName(std::string_view path)
{
    return path.empty() || path.back() == '.' || isBlank(path.back());
}

// The program file a fully qualified path names: itself when it is a file with
// a program's extension, or itself with one added where its name has none.
inline std::string programFileFor(const std::string& path, const FileLookup& files, LeadByteTest isLead)
{
    if (endsLikeNoName(path))
        return {};
    PathParts parts = splitPath(path, isLead);
    if (parts.extension.empty()) {
        if (parts.baseName.empty())
            return {};
        for (const char* extension : kProgramExtensions)
            if (files.kind(path + extension) == PathKind::file)
                return path + extension;
        return {};
    }
    if (startKindOf(path, isLead) != StartKind::document && files.kind(path) == PathKind::file)
        return path;
    return {};
}

// A path that is not found: 3 when its folder is missing too, as the system says.
inline unsigned missingFailure(const std::string& path, const FileLookup& files, LeadByteTest isLead)
{
    if (!isFullyQualified(path))
        return 2;
    PathParts parts = splitPath(path, isLead);
    std::string folder = parts.drive + parts.directory;
    // "C:\" itself, or "C:\x\" without its last separator.
    if (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return files.kind(folder) == PathKind::folder ? 2 : 3;
}

// What a program part names, as one path: a program, a document or folder when
// it exists as a whole, or a bare name found where Windows finds it.
inline ResolvedCommand resolvePath(const std::string& path, const FileLookup& files, LeadByteTest isLead)
{
    ResolvedCommand result;
    if (!isFullyQualified(path)) {
        result.file = endsLikeNoName(path) ? std::string() : files.findBare(path);
    } else if (std::string program = programFileFor(path, files, isLead); !program.empty()) {
        result.file = program;
    } else if (!endsLikeNoName(path) && files.kind(path) != PathKind::missing) {
        result.file = path;
        result.kind = StartKind::document;
        return result;
    }
    if (result.file.empty()) {
        result.failure = missingFailure(path, files, isLead);
        return result;
    }
    result.kind = startKindOf(result.file, isLead);
    return result;
}

// How far into a fully qualified command its text walks through folders that
// exist: the position just after the last separator whose folder is there.
// The program part reaches past it, so a program planted in a folder above
// ("C:\my.exe" for "C:\my app\tool.exe") is never taken for it.
inline std::size_t existingFolderEnd(const std::string& command, const FileLookup& files, LeadByteTest isLead)
{
    std::size_t end = 3; // "C:\" or "\\x"
    for (std::size_t i = 3; i < command.size(); ++i) {
        if (isLead(static_cast<unsigned char>(command[i]))) {
            ++i;
            continue;
        }
        if (command[i] != '\\' && command[i] != '/')
            continue;
        std::string folder = command.substr(0, i);
        if (!endsLikeNoName(folder) && files.kind(folder) == PathKind::folder)
            end = i + 1;
    }
    return end;
}

// Where the program part of an unquoted command ends, and what it names. The
// longest prefix that ends at a blank, a tab, a quote or the end and names a
// program file wins: the system's own search goes shortest first, so
// "C:\Program Files\App\app" would start a planted "C:\Program.exe". As a
// whole, the command may also name a document or a folder.
inline ResolvedCommand resolveUnquoted(const std::string& command, const FileLookup& files, LeadByteTest isLead)
{
    if (isFullyQualified(command)) {
        std::size_t folderEnd = existingFolderEnd(command, files, isLead);
        std::size_t firstEnd = command.size();
        for (std::size_t end = command.size(); end > folderEnd; --end) {
            bool boundary = end == command.size() || isBlank(command[end]) || command[end] == '"';
            if (!boundary)
                continue;
            firstEnd = end;
            std::string prefix = command.substr(0, end);
            ResolvedCommand found;
            if (end == command.size()) {
                found = resolvePath(prefix, files, isLead);
                if (found.kind == StartKind::missing)
                    continue;
            } else if (std::string program = programFileFor(prefix, files, isLead); !program.empty()) {
                found.file = program;
                found.kind = startKindOf(program, isLead);
            } else {
                continue;
            }
            found.programPart = hasBlank(prefix) ? inQuotes(prefix) : prefix;
            if (end < command.size() && command[end] == '"') {
                // The profile took the pair of quotes that enclosed the line,
                // the one before the program and the one after the last argument.
                found.arguments = command.substr(end + 1);
                std::size_t quotes = 0;
                for (char c : found.arguments)
                    quotes += c == '"';
                if (quotes % 2 != 0)
                    found.arguments += '"';
            } else {
                found.arguments = command.substr(end);
            }
            return found;
        }
        // Not there: said of the shortest name the program could have.
        ResolvedCommand missing;
        missing.failure = missingFailure(command.substr(0, firstEnd), files, isLead);
        missing.programPart = command.substr(0, firstEnd);
        missing.arguments = command.substr(firstEnd);
        return missing;
    }
    // A bare name: the first word, found as Windows finds it.
    std::size_t wordEnd = 0;
    while (wordEnd < command.size() && !isBlank(command[wordEnd]))
        ++wordEnd;
    ResolvedCommand found = resolvePath(command.substr(0, wordEnd), files, isLead);
    found.programPart = command.substr(0, wordEnd);
    found.arguments = command.substr(wordEnd);
    return found;
}

// The one rule for every start. A command that begins with a quote names its
// program inside the quotes; otherwise see resolveUnquoted. A command without
// a blank, or quoted as typed, reaches the program exactly as stored.
inline ResolvedCommand resolveCommand(const std::string& command, const FileLookup& files, LeadByteTest isLead)
{
    if (command.empty() || command.front() != '"')
        return resolveUnquoted(command, files, isLead);
    std::size_t close = command.find('"', 1);
    std::size_t end = close == std::string::npos ? command.size() : close + 1;
    std::string inside = command.substr(1, (close == std::string::npos ? command.size() : close) - 1);
    ResolvedCommand found = resolvePath(inside, files, isLead);
    found.programPart = command.substr(0, end);
    found.arguments = command.substr(end);
    return found;
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
