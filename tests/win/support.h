// Helpers of the Wine tests: the test program's profile, message pumping, screen pixels, started programs.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/LauncherApp.h"
#include "bar/LauncherBar.h"

// The test program's application object: a LauncherApp that reports its idle calls.
class TestApp : public LauncherApp {
public:
    bool initInstance() override { return true; }
    bool onIdle(long count) override
    {
        if (idleHook)
            idleHook(count);
        return LauncherApp::onIdle(count);
    }
    void (*idleHook)(long) = nullptr;
};

TestApp& testApp();

// The dialogs' captions and the write-failure box's text, as code page 932 bytes.
const std::string kSettingsCaption = " \x90\xdd\x92\xe8\x95\xcf\x8d\x58\x89\xe6\x96\xca";            //  設定変更画面
const std::string kEditorCaption = " \x83\x41\x83\x76\x83\x8a\x83\x50\x81\x5b\x83\x56\x83\x87\x83\x93\x82\xcc"
                                   "\x93\x6f\x98\x5e\x81\x5e\x95\xd2\x8f\x57\x89\xe6\x96\xca"; //  アプリケーションの登録／編集画面
const std::string kAboutCaption = " ZEL32.EXE Version Information";
const std::string kWriteFailedBytes = "\x90\xdd\x92\xe8\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc9\x8f\x91\x82\xab"
                                      "\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42"; // 設定ファイルに書き込めませんでした。

// Full path of an INI file in the Windows directory, where the profile functions keep it.
std::string windowsIniPath(const std::string& fileName);
// The test program's own profile (named after the test executable).
std::string ownIniPath();
// Replaces a profile file's bytes, or removes it for an empty text; flushes the profile cache.
void putFile(const std::string& path, const std::string& bytes);
std::string fileBytes(const std::string& path);
void removeFile(const std::string& path);

// Dispatches what arrives for the given time.
void pumpMessages(DWORD milliseconds);
COLORREF screenPixel(int x, int y);

// The top-level window of a class that belongs to a process, waiting up to timeoutMs for it.
HWND findProcessWindow(DWORD processId, const char* className, DWORD timeoutMs);
std::string testDirectory();
// A generous bound: on some machines 32-bit Wine runs emulated and a start takes a minute.
constexpr DWORD kStartTimeoutMs = 240000;
// Copies ZEL32.EXE beside the tests under another name.
std::string copyProgram(const std::string& fileName);
struct Started {
    PROCESS_INFORMATION process{};
    HWND bar = nullptr;
};
Started startProgram(const std::string& path, WORD showCommand);
// Closes a started bar with WM_CLOSE and returns its exit code (or -1 on a time-out).
int closeProgram(Started& started);
// Waits for a started bar to end by itself and returns its exit code (or -1 on a time-out).
int waitForExit(Started& started);

std::wstring wide(const std::string& ansi);
// A drop handle as the shell makes it: DROPFILES and a double-NUL list of wide paths.
HDROP makeDrop(const std::vector<std::wstring>& paths, BOOL nonClient = FALSE);
HDROP makeDrop(const std::vector<std::string>& paths, BOOL nonClient = FALSE);

// Makes a file unwritable for the length of a scope, as a read-only medium
// would: root ignores permission bits, so the file is made immutable.
class UnwritableFile {
public:
    explicit UnwritableFile(const std::string& path);
    ~UnwritableFile();
    UnwritableFile(const UnwritableFile&) = delete;
    UnwritableFile& operator=(const UnwritableFile&) = delete;
    bool ok() const { return ok_; }

private:
    bool setImmutable(bool on);
    std::string path_;
    std::string unixPath_;
    bool ok_ = false;
};

// A profile on a file system that is full, as a disk can be: the file at path
// becomes a link to one that holds bytes on a small file system with no room
// left beyond the pages those bytes take. Needs the right to mount.
class FullDisk {
public:
    FullDisk(const std::string& path, const std::string& bytes);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    bool ok() const { return ok_; }

private:
    std::string path_;
    std::string mount_;
    bool ok_ = false;
};

std::string windowText(HWND hwnd);
std::string className(HWND hwnd);

// The message of a message box (its text control), or the first text of another dialog.
std::string boxText(HWND box);

// What a dialog of this process showed when the watcher found it, before closing it.
struct SeenBox {
    std::string caption;
    std::string text;
    COLORREF background = CLR_INVALID; // what the box answers to WM_CTLCOLORDLG
    bool ownerEnabled = true;
    std::size_t noted = 0; // whatever the test's whileOpen step records
    UINT icon = 0;         // the MB_ICON value whose icon the box shows, 0 for none
    int defaultButton = 0; // the button Enter presses
    bool lineBroken = false; // a line of the text too wide for the box, so broken where it did not end
    int answer = 0;        // set by whileOpen: the button to press instead of OK, or Cancel where there is one
};

// The widest line of a text in a window's font (or the given one), and the height of its lines.
SIZE textSize(HWND window, const std::string& text, HFONT font = nullptr);

// A message box as it looks: caption, text, icon, default button, and whether a line of
// its text is wider than its text control, which then breaks it where it did not end.
SeenBox seeBox(HWND box);

// Closes every dialog of this process from a second thread while the test
// thread sits in a modal loop, noting what each showed: a message box with
// its OK, any other dialog with its cancel. A box the test did not expect
// then fails the test instead of hanging it.
class BoxWatcher {
public:
    using WhileOpen = std::function<void(SeenBox&)>;
    explicit BoxWatcher(HWND owner, WhileOpen whileOpen = {});
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;
    ~BoxWatcher() { finish(); }
    // Stops watching; the boxes seen, in order.
    const std::vector<SeenBox>& finish();
    // Waits until this many boxes were closed (false after the time-out).
    bool waitFor(std::size_t count, DWORD timeoutMs = 20000) const;

private:
    static DWORD WINAPI run(void* self);
    void watch();

    HWND owner_;
    WhileOpen whileOpen_;
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
    volatile LONG closed_ = 0;
    std::vector<SeenBox> seen_;
};

// A real bar in the test process, made from the text of the test program's profile.
class BarTest : public testing::Test {
protected:
    void TearDown() override
    {
        closeBar();
        removeFile(ownIniPath());
    }
    // As the main window, the bar is what the dialogs and the launch buttons reach.
    void open(const std::string& ini, bool asMainWindow = false);
    // Also after the bar ended itself (Quit): only its HWND is looked at.
    void closeBar();

    LauncherBar* bar = nullptr;
    HWND barWindow = nullptr;
};
