// What the box of a failed start says: the system's words, what failed, and what to do next.
#pragma once

#include <string>

#include "LaunchTexts.h"

// Why a start failed, finer than WinExec's number, so the box can point to the cause.
enum class StartTrouble {
    none,
    missingFile,   // 2: no such file
    missingFolder, // 3: a folder on the way is not there
    notAProgram,   // 11: the file is no program the system can start
    noAssociation, // 11: a document no program is registered to open
    other,         // 11: any other refusal (a line too long, no right to start it)
};

// The whole text of the box for WinExec's result, or empty for a result that is
// not reported. The first line is always the system's own; an empty command names
// the empty item, any other the command as stored.
inline std::string startReportText(unsigned failure, StartTrouble trouble, int item, const std::string& command)
{
    const char* first = startFailureText(failure);
    if (!first)
        return {};
    std::string text = first;
    if (command.empty())
        return text + "\n" + kEmptyItemLead + std::to_string(item) + kEmptyItemTail + "\n" + kEmptyItemNext;
    text += "\n" + command;
    switch (trouble) {
    case StartTrouble::missingFolder:
        return text + "\n" + kFolderMissingLine + "\n" + kFixCommandNext;
    case StartTrouble::notAProgram:
        return text + "\n" + kNotAProgramLine + "\n" + kFixCommandNext;
    case StartTrouble::noAssociation:
        return text + "\n" + kNoAssociationLine + "\n" + kNoAssociationNext;
    case StartTrouble::other:
        return text + "\n" + kCheckCommandNext;
    case StartTrouble::none:
    case StartTrouble::missingFile:
        break;
    }
    return text + "\n" + kFixCommandNext;
}
