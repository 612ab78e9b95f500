// A profile that cannot be written: every action that writes says so once, loses nothing, and the bar lives on.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "bar/LauncherBar.h"
#include "driver.h"
#include "support.h"

namespace {

const std::string kError = "Error message";
const std::string kIni = "[Env]\r\nMenuSize=4\r\n[Menu]\r\nMenuItem0=Zero\r\n[Exec]\r\nExecItem0=zero.exe\r\n";

class UnwritableProfile : public BarTest {
protected:
    void open() { BarTest::open(kIni, true); }
    std::string expectedText() const
    {
        return kWriteFailedBytes + "\n" + ownIniPath() +
               "\nファイルが読み取り専用でないか、\nフォルダーに書き込む権限があるか、\nディスクに空きがあるかを確かめてください。";
    }
};

BOOL WINAPI pretendExit(UINT, DWORD)
{
    return TRUE;
}

TEST_F(UnwritableProfile, ActionsOnTheBarShowOneBoxAndKeepWhatTheFileHolds)
{
    struct Case {
        const char* name;
        std::function<void(LauncherBar*)> act;
        bool barEnds;
    };
    const Case cases[] = {
        {"ctrl-click",
         [](LauncherBar* bar) {
             HWND button = GetDlgItem(bar->hwnd(), 2000);
             SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(5, 5));
             SendMessageA(button, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(5, 5));
         },
         false},
        {"drop on an empty item",
         [](LauncherBar* bar) {
             SendMessageA(GetDlgItem(bar->hwnd(), 2001), WM_DROPFILES,
                          reinterpret_cast<WPARAM>(makeDrop(std::vector<std::string>{"C:\\DOC\\A.TXT"})), 0);
         },
         false},
        {"restart", [](LauncherBar* bar) { bar->exitSystem(EWX_REBOOT); }, false},
        {"quit", [](LauncherBar* bar) { bar->quit(); }, true},
    };
    barSystemCalls.exitWindows = pretendExit;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        std::vector<SeenBox> seen;
        {
            UnwritableFile locked(ownIniPath());
            ASSERT_TRUE(locked.ok());
            // Restart is asked first: yes.
            BoxWatcher watcher(barWindow, [](SeenBox& box) { box.answer = box.caption == kError ? 0 : IDYES; });
            c.act(bar);
            seen = watcher.finish();
        }
        if (std::string(c.name) == "restart") {
            ASSERT_FALSE(seen.empty());
            EXPECT_EQ(seen[0].caption, "Confirmation Message");
            seen.erase(seen.begin());
        }
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, kError);
        EXPECT_EQ(seen[0].text, expectedText());
        EXPECT_EQ(seen[0].icon, static_cast<UINT>(MB_ICONHAND));
        EXPECT_FALSE(seen[0].lineBroken);
        EXPECT_EQ(fileBytes(ownIniPath()), kIni);
        EXPECT_EQ(IsWindow(barWindow) == FALSE, c.barEnds);
        if (!c.barEnds) {
            // The buttons show what the file holds.
            EXPECT_EQ(windowText(GetDlgItem(barWindow, 2000)), "Zero");
            EXPECT_EQ(windowText(GetDlgItem(barWindow, 2001)), "");
            EXPECT_EQ(bar->itemCommand[0], "zero.exe");
        }
        closeBar();
    }
    barSystemCalls = BarSystemCalls{};
}

TEST_F(UnwritableProfile, AFullDiskThatCutsTheFileIsSaidAndLosesNothing)
{
    // Just under two pages: the registration needs a third, which the disk has not.
    std::string padded = kIni + "[Pad]\r\nPad=";
    padded += std::string(8192 - 20 - padded.size() - 2, 'p') + "\r\n";
    open();
    std::vector<SeenBox> seen;
    std::string after;
    {
        FullDisk full(ownIniPath(), padded);
        if (!full.ok())
            GTEST_SKIP() << "no right to mount a small file system here";
        BoxWatcher watcher(barWindow);
        SendMessageA(GetDlgItem(barWindow, 2001), WM_DROPFILES,
                     reinterpret_cast<WPARAM>(makeDrop(std::vector<std::string>{"C:\\DOC\\A.TXT"})), 0);
        seen = watcher.finish();
        after = fileBytes(ownIniPath());
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, expectedText());
    // Put back as it was: the item is not half there, and no other line is damaged.
    EXPECT_EQ(after, padded);
    EXPECT_EQ(windowText(GetDlgItem(barWindow, 2001)), "");
    EXPECT_EQ(bar->itemCommand[1], "");
}

TEST_F(UnwritableProfile, TheDialogsSayItAndStayOpenWithWhatWasTyped)
{
    struct Case {
        const char* name;
        std::string caption;
        int box;
        std::string typed;
        std::function<void(LauncherBar*)> open;
    };
    const Case cases[] = {
        {"settings", kSettingsCaption, 1000, "6", [](LauncherBar* bar) { bar->openSettings(); }},
        {"editor", kEditorCaption, 104, "typed", [](LauncherBar* bar) { bar->openItemEditor(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        std::string boxCaption, boxText, textAfter;
        bool stayedOpen = false;
        {
            UnwritableFile locked(ownIniPath());
            ASSERT_TRUE(locked.ok());
            Driver::run([&] { c.open(bar); },
                        [&](Driver& d) {
                            HWND dialog = d.waitWindow(c.caption);
                            ASSERT_NE(dialog, nullptr);
                            d.setText(dialog, c.box, c.typed);
                            d.click(dialog, IDOK);
                            HWND box = d.waitWindow(kError, 5000);
                            ASSERT_NE(box, nullptr);
                            boxText = ::boxText(box);
                            PostMessageA(box, WM_COMMAND, IDOK, 0);
                            d.waitGone(box);
                            Sleep(200);
                            stayedOpen = IsWindowVisible(dialog) != FALSE;
                            textAfter = d.text(dialog, c.box);
                            d.click(dialog, IDCANCEL);
                        });
        }
        EXPECT_EQ(boxText, expectedText());
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(textAfter, c.typed);
        EXPECT_EQ(fileBytes(ownIniPath()), kIni);
        // The bar keeps its settings: nothing was saved.
        EXPECT_EQ(bar->MenuSize, 4);
        closeBar();
    }
}

} // namespace
