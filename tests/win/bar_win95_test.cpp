// The Windows 95 variant of a real bar: this program is told it runs on Windows 98 (Wine's AppDefaults).
#include <gtest/gtest.h>

#include "bar/BarIds.h"
#include "bar_test_support.h"
#include "support.h"

namespace {

class Win95Bar : public BarTest {
protected:
    void SetUp() override
    {
        trayCalls.clear();
        barSystemCalls.notifyIcon = recordTrayCall;
    }
    void TearDown() override
    {
        BarTest::TearDown();
        barSystemCalls = BarSystemCalls{};
    }
    void tray(UINT mouseMessage)
    {
        SendMessageA(barWindow, WM_BAR_TRAY_NOTIFY, 1, mouseMessage);
    }
};

TEST_F(Win95Bar, PlatformOneGivesAToolWindowAndTheMenuWithHideAndShow)
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    ASSERT_EQ(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS)) << "AppDefaults not set";
    open("");
    EXPECT_EQ(bar->platformId, 1);
    EXPECT_NE(GetWindowLongA(barWindow, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    std::vector<MenuLine> expected{
        {1000, "ZEL\x82\xF0\x89" "B\x82\xB7", false},
        {1003, "ZEL\x82\xF0\x95\x5C\x8E\xA6\x82\xB7\x82\xE9", false},
        {0, "", true},
        {999, "System\x82\xCC\x8D\xC4\x8BN\x93\xAE", false},
        {998, "Windows\x82\xCC\x8FI\x97\xB9", false},
        {0, "", true},
        {1006, "\x90\xDD\x92\xE8\x82\xCC\x95\xCF\x8DX...", false},
        {1007, "\x83" "A\x83v\x83\x8A\x83P\x81[\x83V\x83\x87\x83\x93\x82\xCC\x93o\x98^...", false},
        {0, "", true},
        {1005, "\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1...", false},
        {1009, "\x83w\x83\x8B\x83v...", false},
        {0, "", true},
        {1001, "ZEL\x82\xF0\x8FI\x97\xB9\x82\xB7\x82\xE9", false},
    };
    std::vector<MenuLine> lines = readMenu(bar->commandMenu.get());
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << i << ": " << lines[i].label;
    // The question before shutting down names this menu's quit.
    BoxWatcher watcher(barWindow, [](SeenBox& box) { box.answer = IDNO; });
    SendMessageA(barWindow, WM_COMMAND, MAKEWPARAM(kCmdShutdown, BN_CLICKED), 0);
    std::vector<SeenBox> seen = watcher.finish();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "設定を保存して、コンピューターを\nシャットダウンしますか？\n（ZEL32 の終了は「ZELを終了する」です）");
}

TEST_F(Win95Bar, TheTrayIconIsAddedAgainForANewShellAndRemovedWithTheBar)
{
    open("");
    ASSERT_EQ(trayCalls.size(), 1u);
    const NOTIFYICONDATAA& added = trayCalls[0].data;
    EXPECT_EQ(trayCalls[0].message, static_cast<DWORD>(NIM_ADD));
    // The version-1 record: 88 bytes with 32-bit pointers, 104 with 64-bit ones.
    EXPECT_EQ(added.cbSize, sizeof(void*) == 4 ? 88u : 104u);
    EXPECT_EQ(added.hWnd, barWindow);
    EXPECT_EQ(added.uID, 1u);
    EXPECT_EQ(added.uFlags, 7u);
    EXPECT_EQ(added.uCallbackMessage, 0x54Du);
    EXPECT_EQ(added.hIcon, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(31234)));
    EXPECT_NE(added.hIcon, nullptr);
    EXPECT_EQ(std::string(added.szTip), " ZEL32.EXE Ver1.00");
    // Wine accepts the icon even without a tray to show it in.
    EXPECT_TRUE(trayCalls[0].result);

    SendMessageA(barWindow, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(trayCalls.size(), 2u);
    EXPECT_EQ(trayCalls[1].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(trayCalls[1].data.uID, 1u);

    // Alt+F4 ends the bar through WM_CLOSE: the icon still goes.
    SendMessageA(barWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(barWindow));
    ASSERT_EQ(trayCalls.size(), 3u);
    EXPECT_EQ(trayCalls[2].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(trayCalls[2].data.hWnd, barWindow);
    EXPECT_EQ(trayCalls[2].data.uID, 1u);
    EXPECT_EQ(fileBytes(ownIniPath()), "");
}

TEST_F(Win95Bar, HideShowAndTheTrayDoubleClickKeepTheStripHeight)
{
    open("[Env]\r\nSilent=1\r\n");
    int sy = GetSystemMetrics(SM_CYSCREEN);
    SetCursorPos(300, 100);
    SendMessageA(barWindow, WM_BAR_IDLE_TICK, 0, 0);
    ASSERT_EQ(bar->barShown, 0);

    for (int id : {static_cast<int>(kCmdHide), static_cast<int>(kIdIcon)}) {
        SendMessageA(barWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        EXPECT_FALSE(IsWindowVisible(barWindow)) << id;
        EXPECT_FALSE(IsIconic(barWindow)) << id;
        EXPECT_EQ(bar->userHidden, 1) << id;
        // Hidden by the user: the pointer in the band calls nothing back.
        SetCursorPos(300, sy - 1);
        SendMessageA(barWindow, WM_BAR_IDLE_TICK, 0, 0);
        EXPECT_EQ(bar->barShown, 0);
        SendMessageA(barWindow, WM_COMMAND, MAKEWPARAM(kCmdShow, 0), 0);
        EXPECT_TRUE(IsWindowVisible(barWindow)) << id;
        EXPECT_EQ(bar->userHidden, 0) << id;
        RECT r{};
        GetWindowRect(barWindow, &r);
        EXPECT_EQ(r.bottom - r.top, 2) << id;
        SetCursorPos(300, 100);
    }

    tray(WM_LBUTTONDBLCLK);
    EXPECT_FALSE(IsWindowVisible(barWindow));
    EXPECT_EQ(bar->userHidden, 1);
    // No re-entry while a dialog or box of the bar has it disabled.
    EnableWindow(barWindow, FALSE);
    tray(WM_LBUTTONDBLCLK);
    EXPECT_EQ(bar->userHidden, 1);
    OpenMenu none = whileMenuOpen([&] { tray(WM_RBUTTONDOWN); });
    EXPECT_FALSE(none.seen);
    EnableWindow(barWindow, TRUE);
    tray(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(barWindow));
    EXPECT_EQ(bar->userHidden, 0);
    // Other mouse messages do nothing.
    tray(WM_MOUSEMOVE);
    tray(WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(barWindow));
    EXPECT_EQ(bar->barShown, 0);
}

TEST_F(Win95Bar, TheTrayOpensTheMenuRightAlignedAtThePointer)
{
    open("");
    for (UINT button : {static_cast<UINT>(WM_LBUTTONDOWN), static_cast<UINT>(WM_RBUTTONDOWN)}) {
        SetCursorPos(600, 400);
        OpenMenu shown = whileMenuOpen([&] { tray(button); });
        ASSERT_TRUE(shown.seen) << button;
        EXPECT_EQ(shown.menu, bar->commandMenu.get());
        EXPECT_EQ(shown.foreground, barWindow);
        EXPECT_EQ(shown.rect.right, 600);
        EXPECT_EQ(shown.rect.top, 400);
        MSG msg;
        EXPECT_TRUE(PeekMessageA(&msg, barWindow, WM_NULL, WM_NULL, PM_REMOVE));
    }
}

} // namespace
