// The files of a shell drop: how many, whether inside, and each path as the code page can name it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

// A dropped path, whole and in the ANSI code page, or nothing when the code page cannot
// name the file (its short name is taken where that keeps the extension).
std::optional<std::string> droppedPath(HDROP drop, UINT index);
UINT droppedFileCount(HDROP drop);
// Whether the drop landed in the window's client area.
bool droppedInside(HDROP drop);
