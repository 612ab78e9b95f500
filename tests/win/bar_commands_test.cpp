// Every command of a real bar (the variant for NT-family systems in this process), quit and close of started copies.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "bar/BarIds.h"
#include "bar_test_support.h"
#include "support.h"

namespace {

// Menu item counts at each WM_SETTEXT of a bar: shows when the title is set.
std::vector<int> titleMenuCounts;
HHOOK titleHook = nullptr;

LRESULT CALLBACK watchTitle(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SETTEXT && className(call->hwnd) == "ZelLauncherBar") {
        auto* bar = reinterpret_cast<LauncherBar*>(GetWindowLongPtrA(call->hwnd, GWLP_USERDATA));
        titleMenuCounts.push_back(bar && bar->commandMenu ? GetMenuItemCount(bar->commandMenu.get()) : -1);
    }
    return CallNextHookEx(titleHook, code, wParam, lParam);
}

class BarCommands : public BarTest {
protected:
    void TearDown() override
    {
        BarTest::TearDown();
        barSystemCalls = BarSystemCalls{};
    }
    void command(int id, int code = BN_CLICKED)
    {
        SendMessageA(barWindow, WM_COMMAND, MAKEWPARAM(id, code), 0);
    }
    RECT barRect() const
    {
        RECT r{};
        GetWindowRect(barWindow, &r);
        return r;
    }
    int sy = GetSystemMetrics(SM_CYSCREEN);
};

TEST_F(BarCommands, TheMenuForNtFamilySystemsItemByItem)
{
    titleMenuCounts.clear();
    titleHook = SetWindowsHookExA(WH_CALLWNDPROC, watchTitle, nullptr, GetCurrentThreadId());
    open("");
    UnhookWindowsHookEx(titleHook);
    ASSERT_EQ(bar->platformId, VER_PLATFORM_WIN32_NT);
    std::vector<MenuLine> expected{
        {1000, "\x83" "A\x83" "C\x83R\x83\x93\x89\xBB(\x1EN)", false},
        {0, "", true},
        {999, "System\x82\xCC\x8D\xC4\x8BN\x93\xAE(\x1ER)", false},
        {998, "Windows\x82\xCC\x8FI\x97\xB9(\x1EX)", false},
        {0, "", true},
        {1006, "\x90\xDD\x92\xE8\x82\xCC\x95\xCF\x8DX(\x1ES)...", false},
        {1007, "\x83" "A\x83v\x83\x8A\x83P\x81[\x83V\x83\x87\x83\x93\x82\xCC\x93o\x98^(\x1E" "A)...", false},
        {0, "", true},
        {1005, "\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1(\x1EV)...", false},
        {1009, "\x83w\x83\x8B\x83v(\x1EH)...", false},
        {0, "", true},
        {1001, "\x95\xC2\x82\xB6\x82\xE9(\x1E" "C)\x09" "Alt+F4", false},
    };
    std::vector<MenuLine> lines = readMenu(bar->commandMenu.get());
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << i << ": " << lines[i].label;
    // The settings load sets the title before the menu exists, the menu after its second separator.
    EXPECT_EQ(titleMenuCounts, (std::vector<int>{-1, 5}));
    EXPECT_EQ(windowText(barWindow), " ZEL32.EXE Ver1.00");
}

TEST_F(BarCommands, PagingAndTheEdgeEndWithARelayout)
{
    open("[Env]\r\nCurrent=3\r\nMenuSize=8\r\n");
    command(kIdBefore);
    EXPECT_EQ(bar->Current, 0);
    EXPECT_NE(GetDlgItem(barWindow, 2000), nullptr);
    EXPECT_NE(GetDlgItem(barWindow, 2007), nullptr);
    EXPECT_EQ(GetDlgItem(barWindow, 2010), nullptr);
    command(kIdBefore); // only a beep
    EXPECT_EQ(bar->Current, 0);
    command(kIdNext);
    command(kIdNext);
    EXPECT_EQ(bar->Current, 16);
    EXPECT_NE(GetDlgItem(barWindow, 2016), nullptr);
    EXPECT_NE(GetDlgItem(barWindow, 2023), nullptr);
    EXPECT_EQ(GetDlgItem(barWindow, 2015), nullptr);
    // A notification other than a click pages nothing.
    command(kIdNext, BN_DOUBLECLICKED);
    EXPECT_EQ(bar->Current, 16);
    command(kIdBefore);
    EXPECT_EQ(bar->Current, 8);

    // The last page that starts within the item numbers, then only beeps.
    bar->Current = 991;
    command(kIdNext);
    EXPECT_EQ(bar->Current, 999);
    EXPECT_NE(GetDlgItem(barWindow, 2999), nullptr);
    command(kIdNext);
    EXPECT_EQ(bar->Current, 999);

    // CHANGE twice: top, then bottom again, each at full height; the settings reach the profile only on a save.
    ShowWindow(barWindow, SW_HIDE);
    bar->userHidden = 1;
    command(kIdChange);
    EXPECT_EQ(bar->MenuPos, 0);
    RECT r = barRect();
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, 19);
    EXPECT_TRUE(IsWindowVisible(barWindow));
    EXPECT_EQ(bar->userHidden, 0);
    command(kIdChange);
    r = barRect();
    EXPECT_EQ(r.top, sy - 19);
    EXPECT_EQ(r.bottom, sy);
    EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nCurrent=3\r\nMenuSize=8\r\n");
}

TEST_F(BarCommands, IconAndHideMinimiseShowRestores)
{
    open("");
    for (int id : {static_cast<int>(kIdIcon), static_cast<int>(kCmdHide)}) {
        command(id);
        EXPECT_TRUE(IsIconic(barWindow)) << id;
        EXPECT_EQ(bar->userHidden, 0) << id;
        ShowWindow(barWindow, SW_RESTORE);
        EXPECT_FALSE(IsIconic(barWindow));
    }
    ShowWindow(barWindow, SW_HIDE);
    bar->userHidden = 1;
    command(kCmdShow);
    EXPECT_TRUE(IsWindowVisible(barWindow));
    EXPECT_EQ(bar->userHidden, 0);
}

TEST_F(BarCommands, SysMenuOpensTheMenuBesideItAsTheForegroundWindow)
{
    open("[Env]\r\nMenuPos=0\r\n");
    OpenMenu shown = whileMenuOpen([&] { command(kIdSysMenu); });
    ASSERT_TRUE(shown.seen);
    EXPECT_EQ(shown.menu, bar->commandMenu.get());
    EXPECT_EQ(shown.foreground, barWindow);
    // Left-aligned at x 20, its top at the bar's bottom.
    EXPECT_EQ(shown.rect.left, 20);
    EXPECT_EQ(shown.rect.top, 19);
    // WM_NULL was posted after the menu.
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, barWindow, WM_NULL, WM_NULL, PM_REMOVE));

    command(kIdChange);
    shown = whileMenuOpen([&] { command(kIdSysMenu); });
    ASSERT_TRUE(shown.seen);
    // At the bottom it opens above the bar, covering none of it.
    EXPECT_EQ(shown.rect.left, 20);
    EXPECT_LE(shown.rect.bottom, sy - 19);
    pumpMessages(20);
}

std::atomic<int> loopTicks{0};

void countTick(long count)
{
    if (count > 0)
        ++loopTicks;
}

TEST_F(BarCommands, TicksPauseUnderAMessageBoxAndSysMenuDoubleClickQuits)
{
    // Auto-hide on: the loop ticks only while the bar needs ticks.
    open("[Env]\r\nCurrent=5\r\nSilent=1\r\n[Menu]\r\nMenuItem0=Keep\r\n");
    HMENU menu = bar->commandMenu.get();
    command(kIdNext);
    testApp().setMainWindow(bar);
    loopTicks = 0;
    testApp().idleHook = countTick;
    int ticksBefore = -1;
    int ticksAfter = -1;
    // No help file beside the test program: the help button says so in a box.
    BoxWatcher watcher(barWindow, [&](SeenBox&) {
        ticksBefore = loopTicks;
        Sleep(300);
        ticksAfter = loopTicks;
    });
    auto waitTicks = [](int count) {
        DWORD start = GetTickCount();
        while (loopTicks < count && GetTickCount() - start < 20000)
            Sleep(5);
    };
    // Help once the loop ticks; the loop ends once ticks run again after the box.
    std::thread quitter([&] {
        waitTicks(5);
        PostMessageA(barWindow, WM_COMMAND, MAKEWPARAM(kIdHelpButton, BN_CLICKED), 0);
        watcher.waitFor(1);
        waitTicks(loopTicks + 5);
        PostMessageA(barWindow, WM_COMMAND, MAKEWPARAM(kIdSysMenu, BN_DOUBLECLICKED), 0);
    });
    int exitCode = testApp().runMessageLoop();
    quitter.join();
    testApp().idleHook = nullptr;
    bar = nullptr;

    std::vector<SeenBox> seen = watcher.finish();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Information Message");
    EXPECT_EQ(seen[0].text.rfind("ヘルプが見つかりません。\n", 0), 0u) << seen[0].text;
    EXPECT_GT(ticksBefore, 0);
    EXPECT_EQ(ticksBefore, ticksAfter);
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(IsWindow(barWindow));
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nCurrent=13\r\nSilent=1\r\nMenuSize=8\r\nSilentSize=10\r\nOverTop=1\r\n"
                                       "MenuPos=1\r\n[Menu]\r\nMenuItem0=Keep\r\n");
}

struct ExitCall {
    UINT how;
    bool privilegeEnabled;
    std::string profile;
};
std::vector<ExitCall> exitCalls;
BOOL exitResult = FALSE;

bool shutdownPrivilegeEnabled()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    LUID luid{};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid);
    PRIVILEGE_SET set{};
    set.PrivilegeCount = 1;
    set.Privilege[0].Luid = luid;
    BOOL enabled = FALSE;
    PrivilegeCheck(token, &set, &enabled);
    CloseHandle(token);
    return enabled != FALSE;
}

void setShutdownPrivilege(bool enable)
{
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

BOOL WINAPI recordExit(UINT how, DWORD)
{
    exitCalls.push_back({how, shutdownPrivilegeEnabled(), fileBytes(ownIniPath())});
    return exitResult;
}

TEST_F(BarCommands, RestartAndShutdownAskFirstThenSaveAskForThePrivilegeAndReportAFailure)
{
    open("[Env]\r\nMenuSize=4\r\n");
    barSystemCalls.exitWindows = recordExit;
    exitCalls.clear();
    command(kIdNext);
    setShutdownPrivilege(false);
    bool disabledBefore = !shutdownPrivilegeEnabled();
    auto answer = [](int button) { return [button](SeenBox& box) { box.answer = button; }; };

    // Each asks first, "No" the default; "No" saves nothing and asks the system nothing.
    for (auto [kind, question] : {std::pair{kCmdShutdown, "シャットダウンしますか？"}, {kCmdRestart, "再起動しますか？"}}) {
        BoxWatcher watcher(barWindow, answer(IDNO));
        command(kind);
        std::vector<SeenBox> seen = watcher.finish();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, "Confirmation Message");
        EXPECT_EQ(seen[0].text, std::string("設定を保存して、コンピューターを\n") + question + "\n（ZEL32 の終了は「閉じる」です）");
        EXPECT_EQ(seen[0].icon, static_cast<UINT>(MB_ICONQUESTION));
        EXPECT_EQ(seen[0].defaultButton, IDNO);
    }
    EXPECT_TRUE(exitCalls.empty());
    EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nMenuSize=4\r\n");

    exitResult = FALSE;
    {
        BoxWatcher watcher(barWindow, answer(IDYES));
        command(kCmdShutdown);
        std::vector<SeenBox> seen = watcher.finish();
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[1].caption, "Error message");
        EXPECT_EQ(seen[1].text, "Windowsを終了できませんでした。\nスタート メニューから終了してください。");
    }
    {
        // A failed restart says so, not that shutting down failed.
        BoxWatcher watcher(barWindow, answer(IDYES));
        command(kCmdRestart);
        std::vector<SeenBox> seen = watcher.finish();
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[1].text, "Windowsを再起動できませんでした。\nスタート メニューから再起動してください。");
    }
    exitResult = TRUE;
    {
        BoxWatcher watcher(barWindow, answer(IDYES));
        command(kCmdRestart);
        EXPECT_EQ(watcher.finish().size(), 1u);
    }
    ASSERT_EQ(exitCalls.size(), 3u);
    EXPECT_EQ(exitCalls[0].how, static_cast<UINT>(EWX_SHUTDOWN));
    EXPECT_EQ(exitCalls[1].how, static_cast<UINT>(EWX_REBOOT));
    if (disabledBefore)
        EXPECT_TRUE(exitCalls[0].privilegeEnabled);
    else
        ADD_FAILURE() << "this Wine cannot switch the privilege off; its request is not observable";
    // Saved before the system is asked; the bar stays.
    EXPECT_EQ(exitCalls[0].profile, "[Env]\r\nMenuSize=4\r\nCurrent=4\r\nSilentSize=10\r\nOverTop=1\r\nSilent=0\r\n"
                                    "MenuPos=1\r\n");
    EXPECT_TRUE(IsWindow(barWindow));
}

TEST_F(BarCommands, AHotKeyThatIsTakenIsNamedWithWhoHoldsItAndWhereToChangeIt)
{
    // The box comes once the bar stands, from its message queue.
    auto boxes = [](BoxWatcher& watcher) {
        for (int i = 0; i < 250 && !watcher.waitFor(1, 0); ++i)
            pumpMessages(20);
        return watcher.finish();
    };
    // Ctrl+Shift+F7 (886), held by this thread as another program would hold it.
    ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_SHIFT, VK_F7));
    std::vector<SeenBox> taken, ours;
    {
        BoxWatcher watcher(nullptr);
        open("[Env]\r\nHotKey=886\r\n");
        taken = boxes(watcher);
    }
    UnregisterHotKey(nullptr, 7);
    closeBar();
    // A second bar on the same profile: the first holds the key, and is not called another program.
    open("[Env]\r\nHotKey=886\r\n");
    {
        BoxWatcher watcher(nullptr);
        LauncherBar* second = new LauncherBar();
        ours = boxes(watcher);
        DestroyWindow(second->hwnd());
    }
    ASSERT_EQ(taken.size(), 1u);
    ASSERT_EQ(ours.size(), 1u);
    EXPECT_EQ(taken[0].text, "次のホットキーは、ほかのプログラムが\n使っているため、登録できませんでした。\nCtrl+Shift+F7\n"
                             "別のキーを使うときは、\n「設定の変更」の「ホットキー」で選びます。");
    EXPECT_EQ(ours[0].text, "次のホットキーは、もう 1 つの ZEL32 が\n使っているため、このバーでは使えません。\nCtrl+Shift+F7\n"
                            "不要なら、このバーを閉じてください。\nこのバーに別のキーを使うときは、\n"
                            "「設定の変更」の「ホットキー」で選びます。");
    EXPECT_EQ(taken[0].icon, static_cast<UINT>(MB_ICONASTERISK));
    EXPECT_FALSE(taken[0].lineBroken || ours[0].lineBroken);
}

struct HelpCall {
    std::string how;
    std::string file;
    UINT command;
};
std::vector<HelpCall> helpCalls;
BOOL winHelpResult = TRUE;

BOOL WINAPI recordWinHelp(HWND, LPCSTR file, UINT command, ULONG_PTR)
{
    helpCalls.push_back({"winhelp", file, command});
    return winHelpResult;
}

INT_PTR shellExecuteResult = 42;

HINSTANCE WINAPI recordShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT show)
{
    helpCalls.push_back({verb ? verb : "", file, static_cast<UINT>(show)});
    return reinterpret_cast<HINSTANCE>(shellExecuteResult);
}

TEST_F(BarCommands, HelpOpensTheHlpFileElseThePageBesideTheProgram)
{
    open("");
    barSystemCalls.winHelp = recordWinHelp;
    barSystemCalls.shellExecute = recordShellExecute;
    std::string base = testDirectory() + "zel_win_tests";
    std::string hlp = base + ".HLP";
    std::string htm = base + ".HTM";
    ASSERT_EQ(GetFileAttributesA(hlp.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(GetFileAttributesA(htm.c_str()), INVALID_FILE_ATTRIBUTES);

    putFile(htm, "<html></html>");
    helpCalls.clear();
    command(kCmdHelp);
    ASSERT_EQ(helpCalls.size(), 1u);
    EXPECT_EQ(helpCalls[0].how, "open");
    EXPECT_EQ(helpCalls[0].file, htm);
    EXPECT_EQ(helpCalls[0].command, static_cast<UINT>(SW_SHOWNORMAL));

    putFile(hlp, "x");
    helpCalls.clear();
    winHelpResult = TRUE;
    command(kIdHelpButton);
    ASSERT_EQ(helpCalls.size(), 1u);
    EXPECT_EQ(helpCalls[0].how, "winhelp");
    EXPECT_EQ(helpCalls[0].file, hlp);
    EXPECT_EQ(helpCalls[0].command, static_cast<UINT>(HELP_CONTENTS));
    // A help engine that cannot start: the page instead.
    helpCalls.clear();
    winHelpResult = FALSE;
    command(kCmdHelp);
    ASSERT_EQ(helpCalls.size(), 2u);
    EXPECT_EQ(helpCalls[1].file, htm);
    removeFile(hlp);
    // The page is there but no program opens it: said so, with the page's path.
    shellExecuteResult = SE_ERR_NOASSOC;
    {
        BoxWatcher watcher(barWindow);
        command(kCmdHelp);
        std::vector<SeenBox> seen = watcher.finish();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, "Error message");
        EXPECT_EQ(seen[0].text, "ヘルプを開けませんでした。\n" + htm + "\nHTML ファイルを開く既定のブラウザーを\n確かめてください。");
    }
    shellExecuteResult = 42;
    removeFile(htm);

    helpCalls.clear();
    BoxWatcher watcher(barWindow);
    command(kCmdHelp);
    std::vector<SeenBox> seen = watcher.finish();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Information Message");
    // The page it looked for, and where it belongs.
    EXPECT_EQ(seen[0].text, "ヘルプが見つかりません。\n" + htm + "\nZIP ファイルの中のヘルプ（ZEL32.HTM）を\n上の名前で置いてください。");
    EXPECT_EQ(seen[0].icon, static_cast<UINT>(MB_ICONASTERISK));
    EXPECT_TRUE(helpCalls.empty());
}

TEST(BarProgram, QuitSavesAndExitsWithZeroAndACloseSavesNothing)
{
    std::string exe = copyProgram("ZELQUIT.EXE");
    std::string ini = windowsIniPath("ZELQUIT.INI");
    putFile(ini, "[Env]\r\nMenuSize=4\r\n");
    Started started = startProgram(exe, SW_SHOWNORMAL);
    ASSERT_NE(started.bar, nullptr);
    SendMessageA(started.bar, WM_COMMAND, MAKEWPARAM(kIdNext, BN_CLICKED), 0);
    SendMessageA(started.bar, WM_COMMAND, MAKEWPARAM(kIdChange, BN_CLICKED), 0);
    PostMessageA(started.bar, WM_COMMAND, MAKEWPARAM(kCmdQuit, 0), 0);
    EXPECT_EQ(waitForExit(started), 0);
    EXPECT_EQ(fileBytes(ini), "[Env]\r\nMenuSize=4\r\nCurrent=4\r\nSilentSize=10\r\nOverTop=1\r\nSilent=0\r\n"
                              "MenuPos=0\r\n");

    // Alt+F4 reaches the bar as WM_CLOSE: the paging is lost, nothing is written.
    started = startProgram(exe, SW_SHOWNORMAL);
    ASSERT_NE(started.bar, nullptr);
    SendMessageA(started.bar, WM_COMMAND, MAKEWPARAM(kIdNext, BN_CLICKED), 0);
    putFile(ini, "[Env]\r\nMenuSize=4\r\n");
    EXPECT_EQ(closeProgram(started), 0);
    EXPECT_EQ(fileBytes(ini), "[Env]\r\nMenuSize=4\r\n");
    removeFile(ini);
    DeleteFileA(exe.c_str());
}

TEST(BarProgram, TheWindows95VariantRunsForRealUnderItsOwnName)
{
    // Wine reports Windows 98 to ZEL95.EXE alone.
    std::string exe = copyProgram("ZEL95.EXE");
    std::string ini = windowsIniPath("ZEL95.INI");
    removeFile(ini);
    Started started = startProgram(exe, SW_SHOWNORMAL);
    ASSERT_NE(started.bar, nullptr);
    EXPECT_NE(GetWindowLongA(started.bar, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    // Hide, then the tray's double click shows it again.
    SendMessageA(started.bar, WM_COMMAND, MAKEWPARAM(kIdIcon, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindowVisible(started.bar));
    EXPECT_FALSE(IsIconic(started.bar));
    SendMessageA(started.bar, WM_BAR_TRAY_NOTIFY, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(started.bar));
    SendMessageA(started.bar, WM_BAR_TRAY_NOTIFY, 1, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(IsWindowVisible(started.bar));
    SendMessageA(started.bar, WM_COMMAND, MAKEWPARAM(kCmdShow, 0), 0);
    EXPECT_TRUE(IsWindowVisible(started.bar));
    PostMessageA(started.bar, WM_COMMAND, MAKEWPARAM(kCmdQuit, 0), 0);
    EXPECT_EQ(waitForExit(started), 0);
    EXPECT_EQ(fileBytes(ini), "[Env]\r\nCurrent=0\r\nMenuSize=8\r\nSilentSize=10\r\nOverTop=1\r\nSilent=0\r\n"
                              "MenuPos=1\r\n");
    removeFile(ini);
    DeleteFileA(exe.c_str());
}

} // namespace
