// The shell and common-dialog functions, loaded from the system directory at their first use.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <commdlg.h>

// Under Wine each DLL imported at start costs tens of milliseconds before the
// bar shows, and the bar needs these only for drops, the tray icon, help and
// browsing. Each returns what the system function would return on failure
// when its DLL or entry cannot be had.
namespace lateBound {

UINT WINAPI dragQueryFileW(HDROP drop, UINT index, LPWSTR file, UINT size);
BOOL WINAPI dragQueryPoint(HDROP drop, POINT* point);
void WINAPI dragFinish(HDROP drop);
BOOL WINAPI shellNotifyIconA(DWORD message, PNOTIFYICONDATAA data);
HINSTANCE WINAPI shellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                               INT show);
BOOL WINAPI shellExecuteExA(SHELLEXECUTEINFOA* info);
UINT_PTR WINAPI shAppBarMessage(DWORD message, APPBARDATA* data);
// The DPI of a monitor (Windows 8.1 and later) or of a window (Windows 10 1607
// and later); 0 where the system has no such call.
UINT monitorDpi(HMONITOR monitor);
UINT windowDpi(HWND window);
BOOL WINAPI getOpenFileNameA(LPOPENFILENAMEA dialog);

} // namespace lateBound
