// Starting what a command names: a program by its full path, a batch file through cmd.exe, a document by its association.
#include "StartCommand.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "CommandResolver.h"
#include "framework/LateBound.h"
#include "framework/WinApp.h"

namespace {

constexpr DWORD kInputIdleTimeoutMs = 30000;

// A bare name where Windows finds one: the program's folder, the system
// folders, the Windows folder, the current folder and PATH.
std::string findBareName(const std::string& name)
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = SearchPathA(nullptr, name.c_str(), ".exe", static_cast<DWORD>(buffer.size()), buffer.data(),
                                   nullptr);
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            std::string found(buffer.data(), length);
            return pathKind(found) == PathKind::file ? found : std::string();
        }
        buffer.resize(length + 1);
    }
}

const FileLookup kSystemFiles{pathKind, findBareName};

std::string systemFile(const char* name)
{
    char directory[MAX_PATH];
    UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(directory, length) + "\\" + name;
}

// WinExec's results for a failed start: the ones the error boxes know, and 11
// for every other refusal (a malformed program, a line too long).
unsigned failureFor(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return 2;
    case ERROR_PATH_NOT_FOUND:
        return 3;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return 0;
    default:
        return 11;
    }
}

// The application name is given, so the system does no search of its own.
unsigned createProcess(const std::string& application, std::string commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return failureFor(GetLastError());
    // As WinExec did: until the program waits for input (or ends), so the
    // starts of a drop follow each other in order.
    WaitForInputIdle(process.hProcess, kInputIdleTimeoutMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

unsigned openDocument(const std::string& file)
{
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // The error boxes are the program's own.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (lateBound::shellExecuteExA(&info))
        return 0;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? failureFor(error) : 11;
}

} // namespace

StartOutcome startCommand(const std::string& command, const std::string* droppedArgument)
{
    StartOutcome outcome;
    if (command.empty()) {
        // As it always was: the empty text goes to the system, which reports it.
        UINT result = WinExec("", SW_SHOWNORMAL);
        outcome.failure = result > 31 ? 0 : result;
        return outcome;
    }
    ResolvedCommand resolved = resolveCommand(command, kSystemFiles, isAnsiLeadByte);
    std::string arguments = resolved.arguments;
    if (droppedArgument)
        arguments += ' ' + *droppedArgument;
    switch (resolved.kind) {
    case StartKind::missing:
        outcome.failure = resolved.failure;
        break;
    case StartKind::program:
        outcome.failure = createProcess(resolved.file, resolved.programPart + arguments);
        break;
    case StartKind::batch: {
        std::string line = batchCommandLine(resolved.file, arguments);
        if (line.empty())
            outcome.refusedBatch = resolved.file;
        else
            outcome.failure = createProcess(systemFile("cmd.exe"), line);
        break;
    }
    case StartKind::document:
        outcome.failure = openDocument(resolved.file);
        break;
    }
    return outcome;
}
