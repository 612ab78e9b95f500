// The open-file common dialog.
#include "FileDialog.h"

#include "LateBound.h"

#include <commdlg.h>

#include <algorithm>
#include <string_view>
#include <vector>

std::optional<std::string> chooseFileToOpen(HWND owner, const std::string& filter, const char* initialName,
                                            const char* title, DWORD flags)
{
    std::string filters = filter;
    for (char& c : filters)
        if (c == '|')
            c = '\0';
    // Room for any path the dialog may return.
    std::vector<char> file(32768, '\0');
    std::string_view name(initialName);
    name.copy(file.data(), std::min(name.size(), file.size() - 1));

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title;
    ofn.Flags = flags | OFN_EXPLORER;
    if (!lateBound::getOpenFileNameA(&ofn))
        return std::nullopt;
    return std::string(file.data());
}
