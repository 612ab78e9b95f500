// The files of a shell drop, fetched wide and named in the ANSI code page without best-fit guesses.
#include "DroppedFiles.h"

#include "CommandText.h"
#include "framework/LateBound.h"
#include "framework/WinApp.h"

namespace {

// The ANSI text of a wide one, or nothing when a character has no exact
// equivalent: best-fit mapping would name another file ("a\u00a5b" as "a\\b").
std::optional<std::string> exactAnsi(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr,
                                    &usedDefault);
    if (bytes <= 0 || usedDefault)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(bytes), '\0');
    bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, text.data(), bytes, nullptr,
                                &usedDefault);
    if (bytes <= 0 || usedDefault)
        return std::nullopt;
    text.resize(static_cast<std::size_t>(bytes));
    return text;
}

} // namespace

// A dropped path, whole and in the ANSI code page, or nothing when the code
// page cannot name the file. Fetched wide and converted once, so the length
// asked for is counted in the units of the buffer and a double-byte name is
// never cut. A name the code page cannot hold is used by its short name, where
// that keeps its extension.
std::optional<std::string> droppedPath(HDROP drop, UINT index)
{
    UINT length = lateBound::dragQueryFileW(drop, index, nullptr, 0);
    if (length == 0)
        return std::string();
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    UINT copied = lateBound::dragQueryFileW(drop, index, wide.data(), length + 1);
    wide.resize(copied);
    if (std::optional<std::string> path = exactAnsi(wide))
        return path;
    DWORD shortLength = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (shortLength == 0)
        return std::nullopt;
    std::wstring shortPath(shortLength, L'\0');
    shortLength = GetShortPathNameW(wide.c_str(), shortPath.data(), shortLength);
    if (shortLength == 0 || shortLength >= shortPath.size())
        return std::nullopt;
    shortPath.resize(shortLength);
    std::optional<std::string> path = exactAnsi(shortPath);
    if (path && !shortNameKeepsExtension(wide, *path, isAnsiLeadByte))
        return std::nullopt;
    return path;
}

UINT droppedFileCount(HDROP drop)
{
    return lateBound::dragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
}

bool droppedInside(HDROP drop)
{
    POINT point{};
    return lateBound::dragQueryPoint(drop, &point) != FALSE;
}

