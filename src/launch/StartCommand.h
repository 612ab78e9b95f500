// Starting an item's command: the one way every click, drop and key starts something.
#pragma once

#include <string>

#include "CommandResolver.h"
#include "StartReport.h"

struct StartOutcome {
    // 2, 3 and 11 are reported as WinExec's results were; 0 means started (or
    // failed in a way that is not reported).
    unsigned failure = 0;
    // What the box names as the cause.
    StartTrouble trouble = StartTrouble::none;
    // The item's command as stored, which the box names.
    std::string command;
    // What cmd.exe could not be given safely (the batch file, or the dropped
    // file meant for it); nothing was started.
    std::string refused;
};

// The file system as the system's starts see it: the system's folders for bare
// names, the program's own folder for relative paths, the environment's variables.
FileLookup systemFileLookup();

// Resolves the whole command as resolveCommand says and starts what it names, with
// the dropped path (unformatted) as one more argument.
StartOutcome startCommand(const std::string& command, const std::string* droppedPath = nullptr);

// The item's menu: the program or batch file the command names, started with the system's
// question for an administrator's rights (declining it is no failure); the folder that holds
// what it names, opened with that selected; the shell's properties of it. False, with the
// system's error set, where the shell could not.
StartOutcome runAsAdministrator(const std::string& command);
bool openFileLocation(const std::string& file);
bool showProperties(const std::string& file);
