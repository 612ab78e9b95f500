// Drives the program's modal dialogs from a second thread, as a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class Driver {
public:
    // Runs modal on this thread and script on a second one. Whatever dialog of
    // this thread is still open when the script ends is cancelled, so a failed
    // script cannot hang the test.
    static void run(const std::function<void()>& modal, const std::function<void(Driver&)>& script);

    // A dialog or message box of the modal thread with this caption, or null after the time-out.
    HWND waitWindow(const std::string& caption, DWORD timeoutMs = 20000);
    // True when the window is gone within the time-out.
    bool waitGone(HWND hwnd, DWORD timeoutMs = 20000);
    std::string text(HWND dialog, int id);
    void setText(HWND dialog, int id, const std::string& text);
    // A button press as the dialog manager reports it.
    void click(HWND dialog, int id);
    bool checked(HWND dialog, int id);
    int focusedId();

private:
    DWORD modalThread_ = 0;
};
