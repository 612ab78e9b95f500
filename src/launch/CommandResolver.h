// What a stored command starts: the program, batch file or document it names, and its arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "CommandText.h"
#include "framework/PathParts.h"
#include "framework/TextCut.h"

// The file system as the resolver sees it.
struct FileLookup {
    // What a full path names.
    PathKindTest kind;
    // Where a bare name is looked for, in order: the system folder, the Windows
    // folder, then the PATH's absolute entries. Never the program's own folder
    // or the current one, where a download could have planted a namesake.
    std::vector<std::string> bareNameFolders;
    // What a relative path with a folder part is taken from: the program's own folder.
    std::string baseFolder;
    // %NAME% expanded as shortcuts expand it (an unknown name stays as written); null: none.
    std::string (*expand)(const std::string& text) = nullptr;
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

// A name without a folder part, such as "notepad.exe": found only where the system's programs live.
inline bool isBareName(std::string_view text, LeadByteTest isLead)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLead(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        if (isSeparator(text[i]) || text[i] == ':')
            return false;
    }
    return true;
}

// The folders a bare name is looked for in: the system folder, the Windows folder, then
// each absolute entry of PATH (quotes taken off), once each. A relative entry, "." among
// them, would make the current folder a place where programs are found.
inline std::vector<std::string> bareNameFolders(const std::string& systemFolder, const std::string& windowsFolder,
                                                std::string_view pathVariable)
{
    std::vector<std::string> folders;
    auto add = [&](std::string folder) {
        while (folder.size() > 3 && isSeparator(folder.back()))
            folder.pop_back();
        if (!isFullyQualified(folder))
            return;
        for (const std::string& known : folders)
            if (sameAsciiIgnoringCase(known, folder))
                return;
        folders.push_back(std::move(folder));
    };
    add(systemFolder);
    add(windowsFolder);
    while (!pathVariable.empty()) {
        std::size_t end = pathVariable.find(';');
        std::string entry(pathVariable.substr(0, end));
        pathVariable.remove_prefix(end == std::string_view::npos ? pathVariable.size() : end + 1);
        std::string unquoted;
        for (char c : entry)
            if (c != '"')
                unquoted += c;
        add(unquoted);
    }
    return folders;
}

// A path as the user wrote it, made whole: variables expanded, a relative one taken
// from the program's folder ("\x" from its drive). Empty when it cannot be made whole
// ("C:x" is relative to a drive's current folder, which is nobody's choice).
inline std::string wholePath(const std::string& written, const FileLookup& files)
{
    std::string path = files.expand ? files.expand(written) : written;
    if (isFullyQualified(path))
        return path;
    if (path.size() >= 2 && path[1] == ':')
        return {};
    const std::string& base = files.baseFolder;
    if (!isFullyQualified(base) || base[1] != ':')
        return {};
    if (!path.empty() && isSeparator(path[0]))
        return base.substr(0, 2) + path;
    return joinPath(base, path);
}

// Whether a whole path may be probed at all. The system takes ".." as a step back
// whatever the name before it is, so in "x.exe -o ..\..\y" the argument would pick
// the program. A path is probed only where every name a ".." steps back out of is an
// existing folder, and no name on the way ends in a dot or a blank (the system drops those).
inline bool probeable(const std::string& path, const FileLookup& files, LeadByteTest isLead)
{
    std::size_t root = 3; // "C:\"
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        // "\\server\share\": the share is the root.
        root = path.size();
        int separators = 0;
        for (std::size_t i = 2; i < path.size(); ++i) {
            if (isLead(static_cast<unsigned char>(path[i]))) {
                ++i;
                continue;
            }
            if (isSeparator(path[i]) && ++separators == 2) {
                root = i + 1;
                break;
            }
        }
    }
    std::vector<std::size_t> names; // where each name still standing ends
    std::size_t start = root;
    for (std::size_t i = root; i <= path.size(); ++i) {
        bool end = i == path.size();
        if (!end && isLead(static_cast<unsigned char>(path[i]))) {
            ++i;
            continue;
        }
        if (!end && !isSeparator(path[i]))
            continue;
        std::string_view name(path.data() + start, i - start);
        if (name == "..") {
            if (!names.empty()) {
                std::string left = path.substr(0, names.back());
                if (files.kind(left) != PathKind::folder)
                    return false;
                names.pop_back();
            }
        } else if (!name.empty() && name != ".") {
            if (!end && endsLikeNoName(name))
                return false;
            names.push_back(i);
        }
        start = i + 1;
    }
    return true;
}

// A path that is not found: 3 when its folder is missing too, as the system says.
inline unsigned missingFailure(const std::string& path, const FileLookup& files, LeadByteTest isLead)
{
    if (!isFullyQualified(path))
        return 2;
    PathParts parts = splitPath(path, isLead);
    std::string folder = parts.drive + parts.directory;
    // "C:\" itself, or "C:\x\" without its last separator.
    if (folder.size() > 3 && isSeparator(folder.back()))
        folder.pop_back();
    return files.kind(folder) == PathKind::folder ? 2 : 3;
}

// A bare name in the system's folders, as written there or with a program's extension
// added where it has none.
inline std::string findBareName(const std::string& name, const FileLookup& files, LeadByteTest isLead)
{
    if (endsLikeNoName(name))
        return {};
    bool extensionless = splitPath(name, isLead).extension.empty();
    for (const std::string& folder : files.bareNameFolders) {
        std::string path = joinPath(folder, name);
        if (files.kind(path) == PathKind::file)
            return path;
        if (extensionless)
            for (const char* extension : kProgramExtensions)
                if (files.kind(path + extension) == PathKind::file)
                    return path + extension;
    }
    return {};
}

// The file a path needs a program's extension added to name: only where the path
// as written names nothing.
inline std::string withProgramExtension(const std::string& path, const FileLookup& files, LeadByteTest isLead)
{
    PathParts parts = splitPath(path, isLead);
    if (!parts.extension.empty() || parts.baseName.empty() || files.kind(path) != PathKind::missing)
        return {};
    for (const char* extension : kProgramExtensions)
        if (files.kind(path + extension) == PathKind::file)
            return path + extension;
    return {};
}

inline ResolvedCommand found(const std::string& file, StartKind kind)
{
    ResolvedCommand result;
    result.file = file;
    result.kind = kind;
    return result;
}

// What one path names, the whole of it: a bare name in the system's folders; else the
// file or folder it names as written; else a program once an extension is added.
inline ResolvedCommand resolvePath(const std::string& written, const FileLookup& files, LeadByteTest isLead)
{
    ResolvedCommand result;
    std::string expanded = files.expand ? files.expand(written) : written;
    if (isBareName(expanded, isLead)) {
        std::string file = findBareName(expanded, files, isLead);
        if (!file.empty())
            return found(file, startKindOf(file, isLead));
        result.failure = 2;
        return result;
    }
    std::string path = wholePath(written, files);
    if (!path.empty() && !endsLikeNoName(path) && probeable(path, files, isLead)) {
        PathKind kind = files.kind(path);
        if (kind == PathKind::file)
            return found(path, startKindOf(path, isLead));
        if (kind == PathKind::folder)
            return found(path, StartKind::document);
        if (std::string program = withProgramExtension(path, files, isLead); !program.empty())
            return found(program, startKindOf(program, isLead));
    }
    result.failure = path.empty() ? 2 : missingFailure(path, files, isLead);
    return result;
}

// How far into a command its text walks through folders that exist: the position just
// after the last separator whose folder is there. The program part reaches past it, so
// a program planted in a folder above ("C:\my.exe" for "C:\my app\tool.exe") is never
// taken for it.
inline std::size_t existingFolderEnd(const std::string& command, const FileLookup& files, LeadByteTest isLead)
{
    std::size_t end = 0;
    for (std::size_t i = 0; i < command.size(); ++i) {
        if (isLead(static_cast<unsigned char>(command[i]))) {
            ++i;
            continue;
        }
        if (!isSeparator(command[i]) || i == 0)
            continue;
        std::string folder = wholePath(command.substr(0, i), files);
        if (!folder.empty() && !endsLikeNoName(folder) && probeable(folder, files, isLead) &&
            files.kind(folder) == PathKind::folder)
            end = i + 1;
    }
    return end;
}

// The program part of an unquoted command with a folder part, which may hold blanks.
// Among the prefixes that end at a blank, a tab, a quote or the end:
// 1. the shortest that names an existing file with its own extension, as Windows itself
//    would take it where nothing is guessed (so "tool.exe build.exe" starts tool.exe);
// 2. the whole command, when it names an existing file or folder as written;
// 3. the longest that names nothing as written but a program once an extension is
//    added: the system's own search goes shortest first, so "C:\Program Files\App\app"
//    would start a planted "C:\Program.exe".
inline ResolvedCommand resolveUnquotedPath(const std::string& command, const FileLookup& files, LeadByteTest isLead)
{
    std::size_t folderEnd = existingFolderEnd(command, files, isLead);
    std::vector<std::size_t> ends; // ascending
    std::vector<std::string> paths;
    for (std::size_t end = folderEnd > 0 ? folderEnd : 1; end <= command.size(); ++end) {
        if (end < command.size() && !isBlank(command[end]) && command[end] != '"')
            continue;
        std::string path = wholePath(command.substr(0, end), files);
        if (path.empty() || endsLikeNoName(path) || !probeable(path, files, isLead))
            continue;
        ends.push_back(end);
        paths.push_back(std::move(path));
    }
    ResolvedCommand result;
    std::size_t chosen = ends.size();
    auto choose = [&](std::size_t i, const std::string& file, StartKind kind) {
        result = found(file, kind);
        chosen = i;
    };
    for (std::size_t i = 0; i < ends.size(); ++i) {
        if (!splitPath(paths[i], isLead).extension.empty() && files.kind(paths[i]) == PathKind::file) {
            choose(i, paths[i], startKindOf(paths[i], isLead));
            break;
        }
    }
    if (chosen == ends.size() && !ends.empty() && ends.back() == command.size()) {
        PathKind kind = files.kind(paths.back());
        if (kind == PathKind::file)
            choose(ends.size() - 1, paths.back(), startKindOf(paths.back(), isLead));
        else if (kind == PathKind::folder)
            choose(ends.size() - 1, paths.back(), StartKind::document);
    }
    for (std::size_t i = ends.size(); chosen == ends.size() && i-- > 0;) {
        if (std::string program = withProgramExtension(paths[i], files, isLead); !program.empty())
            choose(i, program, startKindOf(program, isLead));
    }
    if (chosen == ends.size()) {
        // Not there: said of the shortest name the program could have.
        std::size_t end = command.size();
        for (std::size_t i = folderEnd + 1; i < command.size(); ++i)
            if (isBlank(command[i]) || command[i] == '"') {
                end = i;
                break;
            }
        std::string path = wholePath(command.substr(0, end), files);
        result.failure = path.empty() ? 2 : missingFailure(path, files, isLead);
        result.programPart = command.substr(0, end);
        result.arguments = command.substr(end);
        return result;
    }
    std::size_t end = ends[chosen];
    std::string part = files.expand ? files.expand(command.substr(0, end)) : command.substr(0, end);
    result.programPart = hasBlank(part) ? inQuotes(part) : part;
    if (end < command.size() && command[end] == '"') {
        // The profile took the pair of quotes that enclosed the line,
        // the one before the program and the one after the last argument.
        result.arguments = command.substr(end + 1);
        std::size_t quotes = 0;
        for (char c : result.arguments)
            quotes += c == '"';
        if (quotes % 2 != 0)
            result.arguments += '"';
    } else {
        result.arguments = command.substr(end);
    }
    return result;
}

// The one rule for every start. A command that begins with a quote names its program
// inside the quotes; a first word without a folder part is a bare name; otherwise see
// resolveUnquotedPath. A command without a blank, or quoted as typed, reaches the
// program exactly as stored.
inline ResolvedCommand resolveCommand(const std::string& command, const FileLookup& files, LeadByteTest isLead)
{
    if (!command.empty() && command.front() == '"') {
        std::size_t close = command.find('"', 1);
        std::size_t end = close == std::string::npos ? command.size() : close + 1;
        std::string inside = command.substr(1, (close == std::string::npos ? command.size() : close) - 1);
        ResolvedCommand result = resolvePath(inside, files, isLead);
        result.programPart = command.substr(0, end);
        result.arguments = command.substr(end);
        return result;
    }
    std::size_t wordEnd = 0;
    while (wordEnd < command.size() && !isBlank(command[wordEnd]))
        ++wordEnd;
    std::string word = command.substr(0, wordEnd);
    if (!isBareName(files.expand ? files.expand(word) : word, isLead))
        return resolveUnquotedPath(command, files, isLead);
    ResolvedCommand result = resolvePath(word, files, isLead);
    result.programPart = word;
    result.arguments = command.substr(wordEnd);
    return result;
}
