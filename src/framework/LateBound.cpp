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
Function entry(const char* module, const char* name, WORD ordinal = 0)
{
    // Loaded once and kept for the life of the process.
    HMODULE handle = GetModuleHandleA(module);
    if (!handle)
        handle = systemModule(module);
    if (!handle)
        return nullptr;
    FARPROC found = GetProcAddress(handle, name);
    // Common Controls 5.8 names the subclass functions by number only.
    if (!found && ordinal)
        found = GetProcAddress(handle, MAKEINTRESOURCEA(ordinal));
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

} // namespace

namespace lateBound {

BOOL WINAPI setWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data)
{
    static auto function = entry<decltype(&SetWindowSubclass)>("comctl32.dll", "SetWindowSubclass", 410);
    return function ? function(window, procedure, id, data) : FALSE;
}

LRESULT WINAPI defSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static auto function = entry<decltype(&DefSubclassProc)>("comctl32.dll", "DefSubclassProc", 413);
    return function ? function(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

BOOL WINAPI removeWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id)
{
    static auto function = entry<decltype(&RemoveWindowSubclass)>("comctl32.dll", "RemoveWindowSubclass", 412);
    return function ? function(window, procedure, id) : FALSE;
}

BOOL WINAPI getWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR* data)
{
    static auto function = entry<decltype(&GetWindowSubclass)>("comctl32.dll", "GetWindowSubclass", 411);
    return function ? function(window, procedure, id, data) : FALSE;
}

BOOL WINAPI initCommonControlsEx(const INITCOMMONCONTROLSEX* classes)
{
    static auto function = entry<decltype(&InitCommonControlsEx)>("comctl32.dll", "InitCommonControlsEx");
    return function ? function(classes) : FALSE;
}

BOOL WINAPI openProcessToken(HANDLE process, DWORD access, HANDLE* token)
{
    static auto function = entry<decltype(&OpenProcessToken)>("advapi32.dll", "OpenProcessToken");
    return function ? function(process, access, token) : FALSE;
}

BOOL WINAPI lookupPrivilegeValueA(LPCSTR system, LPCSTR name, LUID* luid)
{
    static auto function = entry<decltype(&LookupPrivilegeValueA)>("advapi32.dll", "LookupPrivilegeValueA");
    return function ? function(system, name, luid) : FALSE;
}

BOOL WINAPI adjustTokenPrivileges(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* state, DWORD length,
                                  TOKEN_PRIVILEGES* previous, DWORD* returnLength)
{
    static auto function = entry<decltype(&AdjustTokenPrivileges)>("advapi32.dll", "AdjustTokenPrivileges");
    return function ? function(token, disableAll, state, length, previous, returnLength) : FALSE;
}

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

DWORD_PTR WINAPI shGetFileInfoA(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags)
{
    static auto function = entry<decltype(&SHGetFileInfoA)>("shell32.dll", "SHGetFileInfoA");
    return function ? function(path, attributes, info, size, flags) : 0;
}

HRESULT WINAPI shDefExtractIconA(LPCSTR file, int index, UINT flags, HICON* large, HICON* small, UINT sizes)
{
    using Function = HRESULT(WINAPI*)(LPCSTR, int, UINT, HICON*, HICON*, UINT);
    static auto function = entry<Function>("shell32.dll", "SHDefExtractIconA");
    return function ? function(file, index, flags, large, small, sizes) : E_FAIL;
}

void coInitialize()
{
    using Function = HRESULT(WINAPI*)(LPVOID, DWORD);
    static auto function = entry<Function>("ole32.dll", "CoInitializeEx");
    static bool done = false;
    if (function && !done)
        done = SUCCEEDED(function(nullptr, COINIT_APARTMENTTHREADED));
}

HRESULT WINAPI createStdAccessibleObject(HWND window, LONG object, REFIID riid, void** result)
{
    using Function = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    static auto function = entry<Function>("oleacc.dll", "CreateStdAccessibleObject");
    return function ? function(window, object, riid, result) : E_FAIL;
}

LRESULT WINAPI lresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object)
{
    using Function = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
    static auto function = entry<Function>("oleacc.dll", "LresultFromObject");
    return function ? function(riid, wParam, object) : 0;
}

BSTR WINAPI sysAllocString(const OLECHAR* text)
{
    using Function = BSTR(WINAPI*)(const OLECHAR*);
    static auto function = entry<Function>("oleaut32.dll", "SysAllocString");
    return function ? function(text) : nullptr;
}

HRESULT WINAPI shParseDisplayName(PCWSTR name, IBindCtx* context, PIDLIST_ABSOLUTE* item, SFGAOF in, SFGAOF* out)
{
    using Function = HRESULT(WINAPI*)(PCWSTR, IBindCtx*, PIDLIST_ABSOLUTE*, SFGAOF, SFGAOF*);
    static auto function = entry<Function>("shell32.dll", "SHParseDisplayName");
    return function ? function(name, context, item, in, out) : E_FAIL;
}

HRESULT WINAPI shBindToParent(PCIDLIST_ABSOLUTE item, REFIID riid, void** folder, PCUITEMID_CHILD* last)
{
    using Function = HRESULT(WINAPI*)(PCIDLIST_ABSOLUTE, REFIID, void**, PCUITEMID_CHILD*);
    static auto function = entry<Function>("shell32.dll", "SHBindToParent");
    return function ? function(item, riid, folder, last) : E_FAIL;
}

void WINAPI coTaskMemFree(void* memory)
{
    using Function = void(WINAPI*)(void*);
    static auto function = entry<Function>("ole32.dll", "CoTaskMemFree");
    if (function)
        function(memory);
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
