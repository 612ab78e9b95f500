// Starting what a command names: a program by its full path, a batch file through cmd.exe, a document by its association.
#include "StartCommand.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "framework/LateBound.h"
#include "framework/WinApp.h"

namespace {

constexpr DWORD kInputIdleTimeoutMs = 30000;

// A text the system fills in, however long: the call answers the length it needs.
template <class Call>
std::string systemText(Call call)
{
    std::vector<char> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length + 1);
    }
    return {};
}

std::string expandVariables(const std::string& text)
{
    if (text.find('%') == std::string::npos)
        return text;
    // The count includes the terminator.
    std::string expanded = systemText([&](char* b, DWORD n) {
        DWORD needed = ExpandEnvironmentStringsA(text.c_str(), b, n);
        return needed > n ? needed : (needed > 0 ? needed - 1 : 0);
    });
    return expanded.empty() ? text : expanded;
}

std::string systemFolder()
{
    return systemText([](char* b, DWORD n) { return GetSystemDirectoryA(b, n); });
}

std::string programFolder()
{
    std::string module = systemText([](char* b, DWORD n) {
        DWORD length = GetModuleFileNameA(nullptr, b, n);
        return length >= n ? n * 2 : length;
    });
    PathParts parts = splitPath(module, isAnsiLeadByte);
    return parts.drive + parts.directory;
}

// WinExec's results for a failed start: the ones the error boxes know, and 11
// for every other refusal (a malformed program, a line too long), with the cause
// the box names.
StartOutcome failureFor(DWORD error)
{
    StartOutcome outcome;
    switch (error) {
    case ERROR_SUCCESS:
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return outcome;
    case ERROR_FILE_NOT_FOUND:
        outcome.trouble = StartTrouble::missingFile;
        break;
    case ERROR_PATH_NOT_FOUND:
        outcome.trouble = StartTrouble::missingFolder;
        break;
    case ERROR_BAD_FORMAT:
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
        outcome.trouble = StartTrouble::notAProgram;
        break;
    case ERROR_NO_ASSOCIATION:
        outcome.trouble = StartTrouble::noAssociation;
        break;
    default:
        outcome.trouble = StartTrouble::other;
        break;
    }
    outcome.failure = outcome.trouble == StartTrouble::missingFile ? 2 : outcome.trouble == StartTrouble::missingFolder ? 3 : 11;
    return outcome;
}

// The folder a file is in, where a program opened from Explorer starts.
std::string folderOf(const std::string& file)
{
    PathParts parts = splitPath(file, isAnsiLeadByte);
    std::string folder = parts.drive + parts.directory;
    if (folder.size() > 3 && isSeparator(folder.back()))
        folder.pop_back();
    return folder;
}

// The application name is given, so the system does no search of its own.
StartOutcome createProcess(const std::string& application, std::string commandLine, const std::string& folder)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return failureFor(GetLastError());
    // As WinExec did: until the program waits for input (or ends), so the
    // starts of a drop follow each other in order.
    WaitForInputIdle(process.hProcess, kInputIdleTimeoutMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {};
}

StartOutcome openDocument(const std::string& file, const std::string& parameters)
{
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // The error boxes are the program's own.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (lateBound::shellExecuteExA(&info))
        return {};
    DWORD error = GetLastError();
    // Every other refusal of a document is 11, as WinExec said of it.
    if (error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_OUTOFMEMORY)
        error = ERROR_GEN_FAILURE;
    if (reinterpret_cast<INT_PTR>(info.hInstApp) == SE_ERR_NOASSOC)
        error = ERROR_NO_ASSOCIATION;
    return failureFor(error);
}

std::string withoutLeadingBlanks(const std::string& text)
{
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    return text.substr(first);
}

StartOutcome shellFailure(DWORD error)
{
    if (error == ERROR_CANCELLED)
        return {}; // the user said no to the system's question
    return failureFor(error);
}

} // namespace

StartOutcome runAsAdministrator(const std::string& command)
{
    StartOutcome outcome;
    outcome.command = command;
    ResolvedCommand resolved = resolveCommand(command, systemFileLookup(), isAnsiLeadByte);
    if (resolved.kind == StartKind::missing) {
        outcome = failureFor(resolved.failure == 3 ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
        outcome.command = command;
        return outcome;
    }
    std::string parameters = withoutLeadingBlanks(resolved.arguments);
    if (resolved.kind == StartKind::batch) {
        // cmd.exe reads the line: the same rule as for a start.
        std::string passed;
        if (batchCommandLine(resolved.file, resolved.arguments).empty() ||
            !batchArguments(resolved.arguments, passed)) {
            outcome.refused = resolved.file;
            return outcome;
        }
        parameters = withoutLeadingBlanks(passed);
    }
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = "runas";
    info.lpFile = resolved.file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    std::string folder = folderOf(resolved.file);
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!lateBound::shellExecuteExA(&info)) {
        outcome = shellFailure(GetLastError());
        outcome.command = command;
    }
    return outcome;
}

bool openFileLocation(const std::string& file)
{
    // Explorer from the Windows folder, never one found elsewhere, with the file selected.
    std::string explorer = joinPath(systemText([](char* b, DWORD n) { return GetWindowsDirectoryA(b, n); }),
                                    "explorer.exe");
    return createProcess(explorer, inQuotes(explorer) + " /select," + inQuotes(file), folderOf(file)).failure == 0;
}

bool showProperties(const std::string& file)
{
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = "properties";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    return lateBound::shellExecuteExA(&info) != FALSE;
}

FileLookup systemFileLookup()
{
    FileLookup files{pathKind, {}, {}, nullptr};
    std::string system = systemFolder();
    std::string windows = systemText([](char* b, DWORD n) { return GetWindowsDirectoryA(b, n); });
    std::string path = systemText([](char* b, DWORD n) { return GetEnvironmentVariableA("PATH", b, n); });
    files.bareNameFolders = bareNameFolders(system, windows, path);
    files.baseFolder = programFolder();
    files.expand = expandVariables;
    return files;
}

StartOutcome startCommand(const std::string& command, const std::string* droppedPath)
{
    StartOutcome outcome;
    if (command.empty()) {
        // As it always was: the empty text goes to the system, which reports it.
        UINT result = WinExec("", SW_SHOWNORMAL);
        outcome.failure = result > 31 ? 0 : result;
        return outcome;
    }
    ResolvedCommand resolved = resolveCommand(command, systemFileLookup(), isAnsiLeadByte);
    std::string arguments = resolved.arguments;
    if (droppedPath)
        arguments += ' ' + droppedArgument(*droppedPath, isAnsiLeadByte);
    switch (resolved.kind) {
    case StartKind::missing:
        outcome = failureFor(resolved.failure == 3 ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
        break;
    case StartKind::program:
        outcome = createProcess(resolved.file, resolved.programPart + arguments, folderOf(resolved.file));
        break;
    case StartKind::batch: {
        // The item's own line names the batch file when cmd.exe cannot take it; a dropped name, itself.
        if (batchCommandLine(resolved.file, resolved.arguments).empty()) {
            outcome.refused = resolved.file;
            break;
        }
        std::string line = batchCommandLine(resolved.file, arguments);
        if (line.empty()) {
            outcome.refused = droppedPath ? *droppedPath : resolved.file;
            break;
        }
        outcome = createProcess(joinPath(systemFolder(), "cmd.exe"), line, folderOf(resolved.file));
        break;
    }
    case StartKind::document:
        outcome = openDocument(resolved.file, withoutLeadingBlanks(arguments));
        break;
    }
    outcome.command = command;
    return outcome;
}
