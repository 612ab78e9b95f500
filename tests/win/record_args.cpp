// Test helper started by launch items: appends one line to the file named by ZEL_RECORD_LOG
// and exits. The line is its creation time (16 hex digits, so lines sort in start order), its
// own file name (which copy ran) and its command line exactly as received. Where
// ZEL_RECORD_WHERE names a file too, it also appends there its full path and the folder it
// was started in, as "path|folder".
#include <windows.h>

#include <string>

namespace {

std::string hex16(unsigned long long value)
{
    static const char digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = digits[value & 0xF];
    return text;
}

std::string ownPath()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

std::string currentFolder()
{
    char folder[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder, length < MAX_PATH ? length : 0);
}

bool append(const char* logPath, const std::string& line)
{
    // Copies started back to back may meet here: retry while another one writes.
    for (int attempt = 0; attempt < 500; ++attempt) {
        HANDLE file = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return true;
        }
        Sleep(10);
    }
    return false;
}

unsigned long long creationTime()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char logPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("ZEL_RECORD_LOG", logPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 2;
    std::string path = ownPath();
    std::string line = hex16(creationTime()) + ' ' + path.substr(path.find_last_of("\\/") + 1) + ' ' +
                       GetCommandLineA() + '\n';
    char wherePath[MAX_PATH];
    length = GetEnvironmentVariableA("ZEL_RECORD_WHERE", wherePath, MAX_PATH);
    if (length > 0 && length < MAX_PATH && !append(wherePath, path + '|' + currentFolder() + '\n'))
        return 1;
    return append(logPath, line) ? 0 : 1;
}
