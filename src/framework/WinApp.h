// The application object: entry, module names, the message loop with idle calls, dialog colours.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "IdleRules.h"
#include "PathParts.h"
#include "Profile.h"
#include "TextCut.h"

class Window;

// The user chose a high-contrast scheme: the program's own colours give way to the system's.
bool highContrast();
// Where the setting is read; a test that cannot switch the system's puts its own here.
extern bool (*highContrastSetting)();

class WinApp {
public:
    WinApp();
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;
    virtual ~WinApp();

    static WinApp* instance() { return current_; }

    // The entry: derives the names from the module, initialises the instance
    // and runs the message loop. Returns the process exit code.
    int run(HINSTANCE instance, int showCommand);

    // The program's own start-up; false ends the program with exit code 1.
    virtual bool initInstance() { return true; }
    // Called while the queue is empty with a count that restarts at 0 after
    // each message; returns true to be called again.
    virtual bool onIdle(long count);
    // Ticks are idle calls for a program that polls something between messages
    // (the bar polls the pointer): one on each idle pass but the first after a
    // message, paced by waits that any input ends. The loop asks before each
    // pass and after each message, so a change takes effect at once; while the
    // answer is no, the loop sleeps in GetMessage like any window.
    virtual bool wantsIdleTicks() const { return false; }
    // One tick; what it saw paces the next one.
    virtual IdleTickResult onIdleTick() { return {}; }
    // A message of the main loop before it is dispatched; true when it was handled.
    virtual bool preTranslateMessage(const MSG&) { return false; }
    // The loop alone, for a program whose start-up is already done.
    int runMessageLoop();

    HINSTANCE instanceHandle() const { return instance_; }
    int showCommand() const { return showCommand_; }
    const std::string& applicationName() const { return applicationName_; }
    const std::string& helpPath() const { return helpPath_; }

    Window* mainWindow() const { return mainWindow_; }
    void setMainWindow(Window* window) { mainWindow_ = window; }

    // The private profile, always the INI file (no registry key is ever set).
    const Profile& profile() const { return profile_; }

    // Modal loops of the program (dialogs, message boxes, popup menus) run
    // their own message loops, through which a close request or a command
    // that ends the window can arrive. Such a message is held and posted
    // again once the outermost loop is over.
    bool inModalLoop() const { return modalDepth_ > 0; }
    bool closeDeferred() const;
    void deferMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void setDialogColors(COLORREF background, COLORREF text);
    // None in high contrast: dialogs and boxes then take the system's colours.
    HBRUSH dialogBrush() const { return highContrast() ? nullptr : dialogBrush_.get(); }
    COLORREF dialogTextColor() const { return dialogText_; }

    // Module path and names, taken from the module at run(); tests of a
    // program that has no run() call it themselves.
    void takeModuleNames(HINSTANCE instance);

private:
    friend class ModalLoop;
    // Waits for input after a tick as long as what it saw allows; true when no message came.
    bool waitAfterTick(IdleTickResult tick);

    static WinApp* current_;
    HINSTANCE instance_ = nullptr;
    int showCommand_ = SW_SHOWNORMAL;
    std::string applicationName_;
    std::string helpPath_;
    Profile profile_;
    Window* mainWindow_ = nullptr;
    Brush dialogBrush_;
    COLORREF dialogText_ = 0;
    IdleTracker idleTracker_;
    unsigned tickWait_ = kTickWaitNear;
    int modalDepth_ = 0;
    std::vector<MSG> deferred_;
};

// Marks a modal loop for its scope. When the outermost one ends, the close
// requests it held back are posted again, so they run after its caller is done.
class ModalLoop {
public:
    ModalLoop();
    ~ModalLoop();
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;
};

// The running ANSI code page's lead-byte test, for the Win32-free helpers.
bool isAnsiLeadByte(unsigned char byte);
// What a path names on disk, for the Win32-free helpers.
PathKind pathKind(const std::string& path);

// A message box drawn in the application's dialog colours.
int showMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// The hourglass for the length of a scope.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};
