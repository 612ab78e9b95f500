// The floors of the figures: a window that only waits for its messages, and that, asked to,
// destroys and creates the controls a page turn of the bar shows (eight push buttons with
// captions and the help button), each created, given a font, shown and painted.
#include <windows.h>

namespace {

constexpr UINT kRecreate = WM_APP + 1;
constexpr int kButtons = 9;
HWND buttons[kButtons];
HFONT font;
int turn;

void recreateControls(HWND parent)
{
    RECT client{};
    GetClientRect(parent, &client);
    int u = (client.right - 119) / 8;
    ++turn;
    for (int i = 0; i < kButtons; ++i) {
        if (buttons[i])
            DestroyWindow(buttons[i]);
        // "Item 0" to "Item 15", without the C++ library's strings, which would make this floor big.
        int item = turn % 2 * 8 + i;
        char caption[8] = "Item ";
        caption[5] = static_cast<char>(item < 10 ? '0' + item : '1');
        caption[6] = static_cast<char>(item < 10 ? '\0' : '0' + item - 10);
        if (i == kButtons - 1)
            caption[0] = '?', caption[1] = '\0';
        int left = 19 + i * u;
        int right = i == kButtons - 1 ? client.right - 80 : left + u;
        buttons[i] = CreateWindowExA(WS_EX_ACCEPTFILES, "BUTTON", caption, WS_CHILD | WS_VISIBLE, left, 0,
                                     right - left, 19, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(2000 + i)),
                                     nullptr, nullptr);
        SendMessageA(buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        ShowWindow(buttons[i], SW_SHOWNORMAL);
        UpdateWindow(buttons[i]);
    }
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRecreate) {
        recreateControls(hwnd);
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "ZelMinimalWindow";
    RegisterClassA(&windowClass);
    font = CreateFontA(12, 0, 0, 0, FW_DONTCARE, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, DRAFT_QUALITY, 0, "MS Gothic");
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
