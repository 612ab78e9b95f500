// Close requests that arrive while a modal loop of the bar runs, and drops while the bar waits for a dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "bar/BarIds.h"
#include "bar/LauncherBar.h"
#include "driver.h"
#include "support.h"

namespace {

const std::string kInformation = "Information Message";
const std::string kError = "Error message";

class CloseRequests : public BarTest {
protected:
    void open(const std::string& ini) { BarTest::open(ini, true); }
    // As taskkill without /f or End task sends it.
    void requestClose() const { PostMessageA(barWindow, WM_CLOSE, 0, 0); }
    // Right after the loop the bar is still there for its caller; the close follows once the queue runs.
    void expectClosedAfterTheLoop(const std::string& ini, bool aliveAfterLoop)
    {
        EXPECT_TRUE(aliveAfterLoop);
        pumpMessages(200);
        EXPECT_FALSE(IsWindow(barWindow));
        EXPECT_EQ(testApp().mainWindow(), nullptr);
        // A close is not a Quit: nothing saved.
        EXPECT_EQ(fileBytes(ownIniPath()), ini);
    }
};

TEST_F(CloseRequests, ACloseDuringADialogOrBoxOfTheBarWaitsForItsEnd)
{
    struct Case {
        const char* name;
        std::string caption;
        std::function<void(LauncherBar*)> run;
    };
    const Case cases[] = {
        {"about", kAboutCaption, [](LauncherBar* bar) { bar->openAbout(); }},
        {"settings", kSettingsCaption, [](LauncherBar* bar) { bar->openSettings(); }},
        {"editor", kEditorCaption, [](LauncherBar* bar) { bar->openItemEditor(); }},
        {"no help box", kInformation, [](LauncherBar* bar) { bar->openHelp(); }},
    };
    const std::string ini = "[Env]\r\nCurrent=5\r\n[Menu]\r\nMenuItem5=Five\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(ini);
        bool aliveWhileOpen = false, aliveAfterLoop = false;
        Driver::run(
            [&] {
                c.run(bar);
                aliveAfterLoop = IsWindow(barWindow) != FALSE;
            },
                    [&](Driver& d) {
                        HWND dialog = d.waitWindow(c.caption);
                        ASSERT_NE(dialog, nullptr);
                        requestClose();
                        Sleep(200);
                        aliveWhileOpen = IsWindow(barWindow) && IsWindow(dialog);
                        PostMessageA(dialog, WM_COMMAND, GetDlgItem(dialog, IDCANCEL) ? IDCANCEL : IDOK, 0);
                        d.waitGone(dialog);
                    });
        EXPECT_TRUE(aliveWhileOpen);
        expectClosedAfterTheLoop(ini, aliveAfterLoop);
        closeBar();
    }
}

HWND closingBar = nullptr;

void CALLBACK endMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

// From a timer of the menu's own loop: the request, then the menu's end.
void CALLBACK closeDuringMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PostMessageA(closingBar, WM_CLOSE, 0, 0);
    SetTimer(nullptr, 0, 100, endMenu);
}

TEST_F(CloseRequests, ACloseDuringTheCommandMenuWaitsForItsEnd)
{
    const std::string ini = "[Env]\r\nMenuSize=3\r\n";
    open(ini);
    closingBar = barWindow;
    SetTimer(nullptr, 0, 100, closeDuringMenu);
    SendMessageA(barWindow, WM_COMMAND, MAKEWPARAM(kIdSysMenu, BN_CLICKED), 0);
    expectClosedAfterTheLoop(ini, IsWindow(barWindow) != FALSE);
}

TEST_F(CloseRequests, TheShiftClickEditorKeepsTheBarAndRefusesDropsClicksAndDrags)
{
    // Current 0, the editor opened on item 2: a drop on slot 7 would land on item 9, a
    // drag of slot 0 onto slot 1 would swap items 2 and 3, a Ctrl-click on slot 0 empty item 2.
    const std::string ini = "[Menu]\r\nMenuItem0=Zero\r\nMenuItem1=One\r\nMenuItem2=Two\r\n"
                            "[Exec]\r\nExecItem0=zero.exe\r\nExecItem1=one.exe\r\nExecItem2=two.exe\r\n";
    open(ini);
    HWND button = GetDlgItem(barWindow, 2002);
    HWND emptySlot = GetDlgItem(barWindow, 2007);
    ASSERT_NE(emptySlot, nullptr);
    HDROP hdrop = makeDrop(std::vector<std::string>{"C:\\DOC\\DROPPED.TXT"});
    bool aliveWhileOpen = false, aliveAfterLoop = false;
    int currentAfterLoop = -1;
    Driver::run(
        [&] {
            SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 5));
            SendMessageA(button, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(5, 5));
            aliveAfterLoop = IsWindow(barWindow) != FALSE;
            if (aliveAfterLoop)
                currentAfterLoop = bar->Current;
        },
        [&](Driver& d) {
            HWND dialog = d.waitWindow(kEditorCaption);
            ASSERT_NE(dialog, nullptr);
            SendMessageA(emptySlot, WM_DROPFILES, reinterpret_cast<WPARAM>(hdrop), 0);
            // Posted, as automation tools post them.
            HWND first = GetDlgItem(barWindow, 2000);
            RECT r{};
            GetClientRect(first, &r);
            LPARAM onSecond = MAKELPARAM(r.right + r.right / 2, r.bottom / 2);
            PostMessageA(first, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageA(first, WM_MOUSEMOVE, MK_LBUTTON, onSecond);
            PostMessageA(first, WM_LBUTTONUP, 0, onSecond);
            PostMessageA(first, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(5, 5));
            PostMessageA(first, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(5, 5));
            requestClose();
            Sleep(200);
            aliveWhileOpen = IsWindow(barWindow) != FALSE;
            d.click(dialog, IDCANCEL);
        });
    EXPECT_TRUE(aliveWhileOpen);
    // The refused drop was released all the same.
    EXPECT_EQ(GlobalSize(hdrop), 0u);
    EXPECT_EQ(currentAfterLoop, 0);
    expectClosedAfterTheLoop(ini, aliveAfterLoop);
}

TEST_F(CloseRequests, ACloseDuringADropsErrorBoxStopsTheStartsThatAreLeft)
{
    const std::string ini = "[Exec]\r\nExecItem0=C:\\zel missing\\none.exe\r\n";
    open(ini);
    HWND button = GetDlgItem(barWindow, 2000);
    std::vector<SeenBox> seen;
    {
        BoxWatcher watcher(barWindow, [this](SeenBox&) { requestClose(); Sleep(100); });
        SendMessageA(button, WM_DROPFILES,
                     reinterpret_cast<WPARAM>(makeDrop(std::vector<std::string>{"C:\\A.TXT", "C:\\B.TXT", "C:\\C.TXT"})),
                     0);
        seen = watcher.finish();
    }
    bool aliveAfterLoop = IsWindow(barWindow) != FALSE;
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, kError);
    expectClosedAfterTheLoop(ini, aliveAfterLoop);
}

TEST_F(CloseRequests, ZelClosedOrQuitDuringItsEditorWaitsForIt)
{
    // A close ends with code 0 and saves nothing; a Quit (command 1001) saves the
    // settings as they are once the editor has put Current back, not the clicked item.
    std::string exe = copyProgram("ZELCLOSE.EXE");
    const std::string ini = "[Env]\r\nMenuSize=4\r\n[Menu]\r\nMenuItem2=Two\r\n";
    for (bool quit : {false, true}) {
        SCOPED_TRACE(quit ? "quit" : "close");
        putFile(windowsIniPath("ZELCLOSE.INI"), ini);
        Started started = startProgram(exe, SW_SHOWNORMAL);
        ASSERT_NE(started.bar, nullptr);
        HWND button = GetDlgItem(started.bar, 2002);
        ASSERT_NE(button, nullptr);
        PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 5));
        PostMessageA(button, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(5, 5));
        HWND editor = findProcessWindow(started.process.dwProcessId, "#32770", 20000);
        ASSERT_NE(editor, nullptr);
        if (quit)
            PostMessageA(started.bar, WM_COMMAND, MAKEWPARAM(kCmdQuit, BN_CLICKED), 0);
        else
            PostMessageA(started.bar, WM_CLOSE, 0, 0);
        Sleep(300);
        EXPECT_TRUE(IsWindow(started.bar));
        EXPECT_TRUE(IsWindow(editor));
        PostMessageA(editor, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(waitForExit(started), 0);
        EXPECT_EQ(fileBytes(windowsIniPath("ZELCLOSE.INI")),
                  quit ? "[Env]\r\nMenuSize=4\r\nCurrent=0\r\nSilentSize=10\r\nOverTop=1\r\nSilent=0\r\nMenuPos=1\r\n"
                         "[Menu]\r\nMenuItem2=Two\r\n"
                       : ini);
    }
    removeFile(windowsIniPath("ZELCLOSE.INI"));
    DeleteFileA(exe.c_str());
}

} // namespace
