// The shell and common-dialog functions, loaded at their first use.
#include "LateBound.h"

#include <string>

namespace {

// By full path from the system directory, never from the program's folder.
HMODULE systemModule(const char* name)
{
    char directory[MAX_PATH];
    UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    std::string path(directory, length);
    path += '\\';
    path += name;
    return LoadLibraryA(path.c_str());
}

template <class Function>
Function entry(const char* module, const char* name)
{
    // Loaded once and kept for the life of the process.
    HMODULE handle = GetModuleHandleA(module);
    if (!handle)
        handle = systemModule(module);
    if (!handle)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

} // namespace

namespace lateBound {

UINT WINAPI dragQueryFileW(HDROP drop, UINT index, LPWSTR file, UINT size)
{
    static auto function = entry<decltype(&DragQueryFileW)>("shell32.dll", "DragQueryFileW");
    return function ? function(drop, index, file, size) : 0;
}

BOOL WINAPI dragQueryPoint(HDROP drop, POINT* point)
{
    static auto function = entry<decltype(&DragQueryPoint)>("shell32.dll", "DragQueryPoint");
    return function ? function(drop, point) : FALSE;
}

void WINAPI dragFinish(HDROP drop)
{
    static auto function = entry<decltype(&DragFinish)>("shell32.dll", "DragFinish");
    if (function)
        function(drop);
}

BOOL WINAPI shellNotifyIconA(DWORD message, PNOTIFYICONDATAA data)
{
    static auto function = entry<decltype(&Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
    return function ? function(message, data) : FALSE;
}

HINSTANCE WINAPI shellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    static auto function = entry<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (!function)
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return function(owner, verb, file, parameters, directory, show);
}

BOOL WINAPI shellExecuteExA(SHELLEXECUTEINFOA* info)
{
    static auto function = entry<decltype(&ShellExecuteExA)>("shell32.dll", "ShellExecuteExA");
    if (function)
        return function(info);
    SetLastError(ERROR_DLL_NOT_FOUND);
    return FALSE;
}

UINT_PTR WINAPI shAppBarMessage(DWORD message, APPBARDATA* data)
{
    static auto function = entry<decltype(&SHAppBarMessage)>("shell32.dll", "SHAppBarMessage");
    return function ? function(message, data) : 0;
}

UINT monitorDpi(HMONITOR monitor)
{
    using GetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static auto function = entry<GetDpiForMonitor>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    // 0: MDT_EFFECTIVE_DPI, what the user's scaling asks for.
    return function && function(monitor, 0, &x, &y) == S_OK ? x : 0;
}

UINT windowDpi(HWND window)
{
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static auto function = entry<GetDpiForWindow>("user32.dll", "GetDpiForWindow");
    return function ? function(window) : 0;
}

BOOL WINAPI getOpenFileNameA(LPOPENFILENAMEA dialog)
{
    static auto function = entry<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    return function ? function(dialog) : FALSE;
}

} // namespace lateBound
