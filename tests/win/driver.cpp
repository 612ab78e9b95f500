// Drives the program's modal dialogs from a second thread.
#include "driver.h"

#include "support.h"

namespace {

struct Job {
    Driver* driver;
    const std::function<void(Driver&)>* script;
};

DWORD WINAPI runScript(LPVOID parameter)
{
    auto* job = static_cast<Job*>(parameter);
    (*job->script)(*job->driver);
    return 0;
}

BOOL CALLBACK cancelDialog(HWND hwnd, LPARAM)
{
    if (className(hwnd) == "#32770")
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

struct Sweeper {
    HANDLE scriptThread;
    DWORD modalThread;
    volatile bool done;
};

// Once the script has ended, cancels whatever dialog is still open until the modal part returns.
DWORD WINAPI sweepDialogs(LPVOID parameter)
{
    auto* s = static_cast<Sweeper*>(parameter);
    WaitForSingleObject(s->scriptThread, INFINITE);
    while (!s->done) {
        Sleep(500);
        EnumThreadWindows(s->modalThread, cancelDialog, 0);
    }
    return 0;
}

struct Find {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK matchCaption(HWND hwnd, LPARAM parameter)
{
    auto* f = reinterpret_cast<Find*>(parameter);
    // InternalGetWindowText sends no message, so a busy modal thread cannot block the search.
    wchar_t title[256] = {};
    InternalGetWindowText(hwnd, title, 256);
    char bytes[512] = {};
    WideCharToMultiByte(CP_ACP, 0, title, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (IsWindowVisible(hwnd) && *f->caption == bytes) {
        f->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void Driver::run(const std::function<void()>& modal, const std::function<void(Driver&)>& script)
{
    Driver driver;
    driver.modalThread_ = GetCurrentThreadId();
    Job job{&driver, &script};
    HANDLE thread = CreateThread(nullptr, 0, runScript, &job, 0, nullptr);
    Sweeper sweeper{thread, driver.modalThread_, false};
    HANDLE sweep = CreateThread(nullptr, 0, sweepDialogs, &sweeper, 0, nullptr);
    modal();
    sweeper.done = true;
    // The script may still ask this thread's windows for their texts: keep answering.
    for (HANDLE handle : {thread, sweep})
        while (MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
            pumpMessages(0);
    CloseHandle(thread);
    CloseHandle(sweep);
}

HWND Driver::waitWindow(const std::string& caption, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        Find find{&caption, nullptr};
        EnumThreadWindows(modalThread_, matchCaption, reinterpret_cast<LPARAM>(&find));
        if (find.found) {
            Sleep(100); // let its initialisation finish
            return find.found;
        }
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool Driver::waitGone(HWND hwnd, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(hwnd) && IsWindowVisible(hwnd)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

std::string Driver::text(HWND dialog, int id)
{
    return windowText(GetDlgItem(dialog, id));
}

void Driver::setText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Driver::click(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    Sleep(150);
}

bool Driver::checked(HWND dialog, int id)
{
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Driver::focusedId()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(modalThread_, &info);
    return info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0;
}
