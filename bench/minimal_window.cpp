// The floor of the idle figures: a window that only waits for its messages.
#include <windows.h>

static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "ZelMinimalWindow";
    RegisterClassA(&windowClass);
    int width = GetSystemMetrics(SM_CXSCREEN);
    HWND hwnd = CreateWindowExA(0, "ZelMinimalWindow", " minimal", WS_POPUP, 0, 0, width, 19, nullptr, nullptr,
                                instance, nullptr);
    ShowWindow(hwnd, showCommand);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
