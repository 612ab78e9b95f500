// Starting an item's command: the one way every click, drop and key starts something.
#pragma once

#include <string>

struct StartOutcome {
    // 2, 3 and 11 are reported as WinExec's results were; 0 means started (or
    // failed in a way that is not reported).
    unsigned failure = 0;
    // A batch file that cannot take its arguments safely; nothing was started.
    std::string refusedBatch;
};

// Resolves the command as resolveCommand says and starts what it names, with
// the dropped path (already formatted by droppedArgument) as one more argument.
StartOutcome startCommand(const std::string& command, const std::string* droppedArgument = nullptr);
