// The open-file common dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>

// The full path of the chosen file, or nothing when the user cancelled or the
// dialog failed. The filter's '|' separate descriptions and patterns.
std::optional<std::string> chooseFileToOpen(HWND owner, const std::string& filter, const char* initialName,
                                            const char* title, DWORD flags);
