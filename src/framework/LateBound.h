// The shell and common-dialog functions, loaded from the system directory at their first use.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <commdlg.h>
#include <ole2.h>
#include <shlobj.h>

// Under Wine each DLL imported at start costs tens of milliseconds before the
// bar shows, and the bar needs these only for drops, the tray icon, help,
// browsing, its controls and tooltips (after it shows) and a restart. Each
// returns what the system function would return on failure when its DLL or
// entry cannot be had.
namespace lateBound {

BOOL WINAPI setWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
LRESULT WINAPI defSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI removeWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
BOOL WINAPI getWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR* data);
BOOL WINAPI initCommonControlsEx(const INITCOMMONCONTROLSEX* classes);
BOOL WINAPI openProcessToken(HANDLE process, DWORD access, HANDLE* token);
BOOL WINAPI lookupPrivilegeValueA(LPCSTR system, LPCSTR name, LUID* luid);
BOOL WINAPI adjustTokenPrivileges(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* state, DWORD length,
                                  TOKEN_PRIVILEGES* previous, DWORD* returnLength);

UINT WINAPI dragQueryFileW(HDROP drop, UINT index, LPWSTR file, UINT size);
BOOL WINAPI dragQueryPoint(HDROP drop, POINT* point);
void WINAPI dragFinish(HDROP drop);
BOOL WINAPI shellNotifyIconA(DWORD message, PNOTIFYICONDATAA data);
HINSTANCE WINAPI shellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                               INT show);
BOOL WINAPI shellExecuteExA(SHELLEXECUTEINFOA* info);
UINT_PTR WINAPI shAppBarMessage(DWORD message, APPBARDATA* data);
DWORD_PTR WINAPI shGetFileInfoA(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags);
// An icon of a file at an exact size (the size in the low word), not the system's stretched.
HRESULT WINAPI shDefExtractIconA(LPCSTR file, int index, UINT flags, HICON* large, HICON* small, UINT sizes);
// The DPI of a monitor (Windows 8.1 and later) or of a window (Windows 10 1607
// and later); 0 where the system has no such call.
UINT monitorDpi(HMONITOR monitor);
// Accessibility, for a screen reader's questions: COM on this thread (once), the system's
// accessible object of a window, the answer to WM_GETOBJECT, and a BSTR.
void coInitialize();
HRESULT WINAPI createStdAccessibleObject(HWND window, LONG object, REFIID riid, void** result);
LRESULT WINAPI lresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object);
BSTR WINAPI sysAllocString(const OLECHAR* text);
// The shell's items and their menus.
HRESULT WINAPI shParseDisplayName(PCWSTR name, IBindCtx* context, PIDLIST_ABSOLUTE* item, SFGAOF in, SFGAOF* out);
HRESULT WINAPI shBindToParent(PCIDLIST_ABSOLUTE item, REFIID riid, void** folder, PCUITEMID_CHILD* last);
void WINAPI coTaskMemFree(void* memory);
UINT windowDpi(HWND window);
BOOL WINAPI getOpenFileNameA(LPOPENFILENAMEA dialog);

} // namespace lateBound
