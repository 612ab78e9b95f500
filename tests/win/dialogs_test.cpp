// The settings dialog, the item editor and the about box, opened on a real bar and driven as a user would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "bar/LauncherBar.h"
#include "driver.h"
#include "support.h"

namespace {

// Captions and texts as code page 932 bytes.
const std::string kInformation = "Information Message";
const std::string kMinimumText =
    "\x83\x81\x83\x6a\x83\x85\x81\x5b\x82\xcc\x8d\xc5\x92\xe1\x90\x94\x82\xcd 1 \x82\xc8\x82\xcc\x82\xc5 1 "
    "\x82\xc9\x90\xdd\x92\xe8\x82\xb5\x82\xdc\x82\xb7"; // メニューの最低数は 1 なので 1 に設定します
const std::string kMaximumText =
    "\x83\x81\x83\x6a\x83\x85\x81\x5b\x82\xcc\x8d\xc5\x91\xe5\x90\x94\x82\xcd 16 \x82\xc8\x82\xcc\x82\xc5 16 "
    "\x82\xc9\x90\xdd\x92\xe8\x82\xb5\x82\xdc\x82\xb7"; // メニューの最大数は 16 なので 16 に設定します
const std::string kBrowseTitle = "\x8e\xc0\x8d\x73\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x91\x49\x91\xf0"; // 実行ファイルの選択

class Dialogs : public BarTest {
protected:
    // The dialogs reach the bar as the application's main window.
    void open(const std::string& ini) { BarTest::open(ini, true); }
    int launchButtons() const
    {
        int count = 0;
        for (int id = 2000 - 99; id < 2000 + 1016; ++id)
            count += GetDlgItem(bar->hwnd(), id) != nullptr;
        return count;
    }
};

struct ControlInfo {
    int id;
    std::string className;
    std::string text;
    DWORD style;
    DWORD exStyle;
    RECT units; // dialog units: x, y, width, height
};

// Compares the dialog's controls, in tab (template) order, with what they should be.
void expectControls(HWND dialog, const std::vector<ControlInfo>& expected, std::string& report)
{
    std::size_t i = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++i) {
        if (i >= expected.size()) {
            report += "extra control " + std::to_string(GetDlgCtrlID(child)) + "\n";
            continue;
        }
        const ControlInfo& e = expected[i];
        int id = GetDlgCtrlID(child);
        auto note = [&](const std::string& what) { report += "#" + std::to_string(i) + " id " + std::to_string(e.id) + ": " + what + "\n"; };
        if (static_cast<int>(static_cast<WORD>(id)) != static_cast<int>(static_cast<WORD>(e.id)))
            note("id " + std::to_string(id));
        if (lstrcmpiA(className(child).c_str(), e.className.c_str()) != 0)
            note("class " + className(child));
        // A static icon's text is its resource ordinal, and it takes the icon's own size.
        bool icon = (e.style & SS_TYPEMASK) == SS_ICON;
        if (e.className != "Edit" && !icon && windowText(child) != e.text)
            note("text " + windowText(child));
        DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        // An edit box's border is drawn as a client edge (WS_EX_CLIENTEDGE) instead.
        DWORD ignored = WS_VISIBLE | WS_CHILD | (e.className == "Edit" ? WS_BORDER : 0);
        if ((style & ~ignored) != (e.style & ~ignored))
            note("style " + std::to_string(style));
        DWORD exStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE)) & ~WS_EX_NOPARENTNOTIFY;
        if (exStyle != e.exStyle)
            note("exstyle " + std::to_string(exStyle));
        // Position and size are converted apart, as the dialog manager does.
        RECT place{e.units.left, e.units.top, e.units.right, e.units.bottom};
        MapDialogRect(dialog, &place);
        RECT want{place.left, place.top, place.left + place.right, place.top + place.bottom};
        RECT got;
        GetWindowRect(child, &got);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
        // The up-down control places itself at its buddy's right edge and narrows the buddy.
        bool spinPair = e.className == "msctls_updown32" || (e.id == 1000 && GetDlgItem(dialog, 1013));
        if (icon && (got.left != want.left || got.top != want.top))
            note("icon at " + std::to_string(got.left) + "," + std::to_string(got.top));
        if (!spinPair && !icon &&
            (got.left != want.left || got.top != want.top || got.right != want.right || got.bottom != want.bottom))
            note("rect " + std::to_string(got.left) + "," + std::to_string(got.top) + "," + std::to_string(got.right) +
                 "," + std::to_string(got.bottom) + " want " + std::to_string(want.left) + "," + std::to_string(want.top) +
                 "," + std::to_string(want.right) + "," + std::to_string(want.bottom));
        if (spinPair && e.id == 1000 && (got.top != want.top || got.left != want.left))
            note("spin pair top/left " + std::to_string(got.left) + "," + std::to_string(got.top));
    }
    if (i < expected.size())
        report += "only " + std::to_string(i) + " controls\n";
}

// The first line of a profile that starts with the prefix, or empty.
std::string readFirstLine(const std::string& bytes, const std::string& prefix)
{
    std::size_t at = bytes.find("\r\n" + prefix);
    if (at == std::string::npos)
        return "";
    at += 2;
    return bytes.substr(at, bytes.find("\r\n", at) - at);
}

// ---- settings dialog ----

struct SettingsRun {
    HWND dialog = nullptr;
    std::string count;
    bool overTop = false, silent = false;
    std::string boxCaption, boxText;
    UINT boxIcon = 0;
    bool stayedOpen = false;
    int focus = 0;
    INT_PTR result = 0;
};

// Opens the settings dialog, types the count and presses "保存"; answers one message box if any.
SettingsRun saveCount(LauncherBar* bar, const std::string& typed)
{
    SettingsRun run;
    Driver::run([&] { run.result = bar->openSettings(); },
                [&](Driver& d) {
                    run.dialog = d.waitWindow(kSettingsCaption);
                    if (!run.dialog)
                        return;
                    run.count = d.text(run.dialog, 1000);
                    run.overTop = d.checked(run.dialog, 1014);
                    run.silent = d.checked(run.dialog, 1015);
                    d.setText(run.dialog, 1000, typed);
                    d.click(run.dialog, IDOK);
                    HWND box = d.waitWindow(kInformation, 1500);
                    if (box) {
                        run.boxCaption = kInformation;
                        run.boxText = boxText(box);
                        run.boxIcon = seeBox(box).icon;
                        PostMessageA(box, WM_COMMAND, IDOK, 0);
                        d.waitGone(box);
                    }
                    Sleep(300);
                    run.stayedOpen = IsWindow(run.dialog) && IsWindowVisible(run.dialog);
                    if (run.stayedOpen) {
                        run.focus = d.focusedId();
                        d.click(run.dialog, IDCANCEL);
                    }
                });
    return run;
}

TEST_F(Dialogs, SettingsTemplateAndItsStartFromTheBarInMemory)
{
    open("[Env]\r\nMenuSize=5\r\nOverTop=1\r\nSilent=0\r\n");
    bar->Silent = 1; // in memory only: the dialog starts from the bar
    std::string report;
    std::string count;
    bool overTop = false, silent = false;
    int low = -1, high = -1;
    std::string afterUp;
    int inkEnd = 0, wordsEnd = 0;
    Driver::run([&] { bar->openSettings(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kSettingsCaption);
                    if (!dialog)
                        return;
                    count = d.text(dialog, 1000);
                    overTop = d.checked(dialog, 1014);
                    silent = d.checked(dialog, 1015);
                    SendDlgItemMessageA(dialog, 1013, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                                        reinterpret_cast<LPARAM>(&high));
                    expectControls(
                        dialog,
                        {
                            {1000, "Edit", "", WS_BORDER | WS_TABSTOP | ES_LEFT, WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_CLIENTEDGE, {55, 6, 26, 12}},
                            {1013, "msctls_updown32", "Spin1", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, {81, 7, 7, 11}},
                            {1014, "Button", "\x8f\xed\x82\xc9\x8e\xe8\x91\x4f\x82\xc9\x95\x5c\x8e\xa6", BS_AUTOCHECKBOX | WS_TABSTOP, 0, {9, 23, 72, 10}},
                            {1015, "Button", "\x8e\xa9\x93\xae\x93\x49\x82\xc9\x89\x42\x82\xb7", BS_AUTOCHECKBOX | WS_TABSTOP, 0, {9, 38, 64, 10}},
                            // The options beyond them, below, each list under its label with an
                            // access key; the buttons at the bottom.
                            {1016, "Button", "画面端を占有する(&A)", BS_AUTOCHECKBOX | WS_TABSTOP, 0, {9, 53, 112, 10}},
                            {1017, "Button", "アイコンを表示する(&I)", BS_AUTOCHECKBOX | WS_TABSTOP, 0, {9, 68, 112, 10}},
                            {-1, "Static", "モニター(&M)", SS_LEFT | WS_GROUP, 0, {5, 84, 60, 8}},
                            {1018, "ComboBox", "", CBS_DROPDOWNLIST | WS_TABSTOP, 0, {9, 95, 108, 80}},
                            {-1, "Static", "ホットキー(&H)", SS_LEFT | WS_GROUP, 0, {5, 114, 60, 8}},
                            {1019, "msctls_hotkey32", "", WS_TABSTOP, WS_EX_CLIENTEDGE, {9, 125, 108, 12}},
                            {IDOK, "Button", "\x95\xdb\x91\xb6", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {7, 146, 37, 14}},
                            {IDCANCEL, "Button", "\x8e\xe6\x8f\xc1", BS_PUSHBUTTON | WS_TABSTOP, 0, {49, 146, 37, 14}},
                            {-1, "Static", "\x95\xaa\x8a\x84\x90\x94(1-16)", SS_LEFT | WS_GROUP, 0, {5, 8, 49, 8}},
                        },
                        report);
                    // The hotkey box shows the key in the program's words: its ink ends where
                    // "Ctrl+Alt+Z" ends, well before Wine's "Control + Alt + Z" would.
                    HWND hotKey = GetDlgItem(dialog, 1019);
                    RedrawWindow(hotKey, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                    HDC dc = GetDC(hotKey);
                    for (int x = 0; x < 300; ++x)
                        for (int y = 0; y < 20; ++y)
                            if (COLORREF c = GetPixel(dc, x, y); GetRValue(c) + GetGValue(c) + GetBValue(c) < 300)
                                inkEnd = x + 1;
                    ReleaseDC(hotKey, dc);
                    wordsEnd = GetSystemMetrics(SM_CXBORDER) + textSize(hotKey, "Ctrl+Alt+Z").cx;
                    // The up arrow key in the box raises the count.
                    SendMessageA(GetDlgItem(dialog, 1000), WM_KEYDOWN, VK_UP, 0);
                    SendMessageA(GetDlgItem(dialog, 1000), WM_KEYUP, VK_UP, 0);
                    afterUp = d.text(dialog, 1000);
                    d.click(dialog, IDCANCEL);
                });
    EXPECT_EQ(report, "");
    EXPECT_EQ(count, "5");
    EXPECT_TRUE(overTop);
    EXPECT_TRUE(silent);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 16);
    EXPECT_EQ(afterUp, "6");
    EXPECT_NEAR(inkEnd, wordsEnd, 3);
}

TEST_F(Dialogs, SettingsCountsAreCorrectedSavedAndLaidOut)
{
    struct Case {
        std::string typed;
        int stored;
        std::string boxText;
    };
    // A pasted text longer than any short buffer is judged whole.
    const Case cases[] = {{"0", 1, kMinimumText}, {"1", 1, ""},     {"16", 16, ""}, {"17", 16, kMaximumText},
                          {" 5 ", 5, ""},       {"\t3", 3, ""}, {std::string(33, '0') + "16", 16, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE("typed \"" + c.typed + "\"");
        open("[Env]\r\nSilentSize=3\r\nCurrent=4\r\nMenuPos=0\r\n");
        SettingsRun run = saveCount(bar, c.typed);
        EXPECT_EQ(run.result, IDOK);
        EXPECT_EQ(run.boxText, c.boxText);
        EXPECT_FALSE(run.stayedOpen);
        EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nSilentSize=3\r\nCurrent=4\r\nMenuPos=0\r\nMenuSize=" +
                                               std::to_string(c.stored) + "\r\nOverTop=1\r\nSilent=0\r\n");
        // The opener's relayout shows the new number of buttons.
        EXPECT_EQ(bar->MenuSize, c.stored);
        EXPECT_EQ(launchButtons(), c.stored);
        closeBar();
    }
}

TEST_F(Dialogs, SettingsRefuseATextThatIsNotANumberAndWriteNothing)
{
    for (const std::string typed : {"", "abc", "5x", "1 2"}) {
        SCOPED_TRACE("typed \"" + typed + "\"");
        open("[Env]\r\nMenuSize=5\r\n");
        SettingsRun run = saveCount(bar, typed);
        EXPECT_EQ(run.boxText, "\x90\xae\x90\x94\x82\xf0\x93\xfc\x97\xcd\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42");
        // A request to type again, under an information caption: an information icon.
        EXPECT_EQ(run.boxIcon, static_cast<UINT>(MB_ICONASTERISK));
        EXPECT_TRUE(run.stayedOpen);
        EXPECT_EQ(run.focus, 1000);
        EXPECT_EQ(run.result, IDCANCEL);
        EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nMenuSize=5\r\n");
        EXPECT_EQ(bar->MenuSize, 5);
        closeBar();
    }
}

TEST_F(Dialogs, SettingsSaveWritesFiveKeysAndStoresTheChecksCancelWritesNothing)
{
    open("");
    bar->MenuPos = 0; // changed by CHANGE, not yet saved
    SettingsRun run;
    Driver::run([&] { run.result = bar->openSettings(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kSettingsCaption);
                    if (!dialog)
                        return;
                    d.click(dialog, 1014); // untick "always in front"
                    SendDlgItemMessageA(dialog, 1014, BM_SETCHECK, BST_UNCHECKED, 0);
                    SendDlgItemMessageA(dialog, 1015, BM_SETCHECK, BST_CHECKED, 0);
                    d.click(dialog, IDOK);
                });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nCurrent=0\r\nMenuSize=8\r\nOverTop=0\r\nSilent=1\r\nMenuPos=0\r\n");
    EXPECT_EQ(bar->OverTop, 0);
    EXPECT_EQ(bar->Silent, 1);
    EXPECT_EQ(GetWindowLongA(bar->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    std::string before = fileBytes(ownIniPath());
    Driver::run([&] { run.result = bar->openSettings(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kSettingsCaption);
                    if (!dialog)
                        return;
                    d.setText(dialog, 1000, "3");
                    SendDlgItemMessageA(dialog, 1015, BM_SETCHECK, BST_UNCHECKED, 0);
                    d.click(dialog, IDCANCEL);
                });
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(fileBytes(ownIniPath()), before);
    EXPECT_EQ(bar->Silent, 1);
    EXPECT_EQ(bar->MenuSize, 8);

    // The newer keys follow the five, only where the user changed them: a stored monitor
    // that is not there now is still offered and kept.
    putFile(ownIniPath(), "[Env]\r\nMonitor=3\r\n");
    bar->Monitor = 3;
    std::string monitors, shownMonitor, firstMonitor;
    Driver::run([&] { run.result = bar->openSettings(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kSettingsCaption);
                    if (!dialog)
                        return;
                    monitors = std::to_string(SendDlgItemMessageA(dialog, 1018, CB_GETCOUNT, 0, 0));
                    shownMonitor = d.text(dialog, 1018);
                    char first[64] = {};
                    SendDlgItemMessageA(dialog, 1018, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
                    firstMonitor = first;
                    SendDlgItemMessageA(dialog, 1016, BM_SETCHECK, BST_CHECKED, 0);
                    SendDlgItemMessageA(dialog, 1019, HKM_SETHOTKEY, MAKEWORD(VK_F12, HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
                    d.click(dialog, IDOK);
                });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(monitors, "3");
    EXPECT_EQ(shownMonitor, "3（未接続）");
    EXPECT_EQ(firstMonitor, "1（メイン） " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "×" +
                                std::to_string(GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nMonitor=3\r\nCurrent=0\r\nMenuSize=8\r\nOverTop=0\r\nSilent=1\r\n"
                                       "MenuPos=0\r\nAppBar=1\r\nHotKey=" +
                                           std::to_string(MAKEWORD(VK_F12, HOTKEYF_CONTROL | HOTKEYF_SHIFT)) + "\r\n");
    EXPECT_EQ(bar->AppBar, 1);
    EXPECT_EQ(bar->ShowIcons, 0);

    // Values set by hand that the controls cannot show stay as they are, in the file and in
    // the bar, while their controls are left alone.
    const std::string handSet = "[Env]\r\nAppBar=7\r\nShowIcons=-1\r\nMonitor=17\r\nHotKey=-1\r\n";
    putFile(ownIniPath(), handSet);
    bar->AppBar = 7;
    bar->ShowIcons = -1;
    bar->Monitor = 17;
    bar->HotKey = -1;
    Driver::run([&] { run.result = bar->openSettings(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kSettingsCaption);
                    if (dialog)
                        d.click(dialog, IDOK);
                });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(fileBytes(ownIniPath()), handSet + "Current=0\r\nMenuSize=8\r\nOverTop=0\r\nSilent=1\r\nMenuPos=0\r\n");
    EXPECT_EQ(bar->AppBar, 7);
    EXPECT_EQ(bar->ShowIcons, -1);
    EXPECT_EQ(bar->Monitor, 17);
    EXPECT_EQ(bar->HotKey, -1);
}

// ---- item editor ----

struct EditorView {
    HWND dialog = nullptr;
    std::vector<std::string> labels, names, commands;
    int focus = 0;
};

EditorView look(Driver& d, HWND dialog)
{
    EditorView view;
    view.dialog = dialog;
    const int nameIds[] = {1000, 104, 107, 110, 113, 116, 119, 122};
    for (int row = 0; row < 8; ++row) {
        view.labels.push_back(d.text(dialog, 1004 + row));
        view.names.push_back(d.text(dialog, nameIds[row]));
        view.commands.push_back(d.text(dialog, 102 + 3 * row));
    }
    view.focus = d.focusedId();
    return view;
}

std::vector<std::string> numbers(int first)
{
    std::vector<std::string> labels;
    for (int i = 0; i < 8; ++i)
        labels.push_back(std::to_string(first + i));
    return labels;
}

TEST_F(Dialogs, EditorFromTheMenuShowsTheBlockOfCurrentAndSavesAllSixteenKeys)
{
    open("[Env]\r\nCurrent=13\r\n[Menu]\r\nMenuItem9=Nine\r\n[Exec]\r\nExecItem9=nine.exe\r\nExecItem15=last.exe\r\n");
    EditorView view;
    std::string report;
    INT_PTR result = 0;
    Driver::run([&] { result = bar->openItemEditor(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kEditorCaption);
                    if (!dialog)
                        return;
                    view = look(d, dialog);
                    std::vector<ControlInfo> expected;
                    const DWORD edit = WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
                    for (int row = 0; row < 8; ++row) {
                        int y = 13 + 13 * row;
                        expected.push_back({row == 0 ? 1000 : 101 + 3 * row, "Edit", "", edit, WS_EX_CLIENTEDGE, {32, y, 63, 12}});
                        expected.push_back({102 + 3 * row, "Edit", "", edit, WS_EX_CLIENTEDGE, {96, y, 145, 12}});
                        expected.push_back({140 + row, "Button", "...", BS_PUSHBUTTON | WS_TABSTOP, 0, {243, y, 16, 12}});
                    }
                    expected.push_back({IDOK, "Button", "\x95\xdb\x91\xb6\x82\xb5\x82\xc4\x8f\x49\x97\xb9", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {14, 119, 54, 15}});
                    expected.push_back({IDCANCEL, "Button", "\x8e\xe6\x8f\xc1", BS_PUSHBUTTON | WS_TABSTOP, 0, {69, 119, 31, 15}});
                    expected.push_back({128, "Button", "\x91\x4f\x95\xc5", BS_PUSHBUTTON | WS_TABSTOP, 0, {210, 119, 23, 15}});
                    expected.push_back({127, "Button", "\x8e\x9f\x95\xc5", BS_PUSHBUTTON | WS_TABSTOP, 0, {234, 119, 23, 15}});
                    expected.push_back({130, "Button", "\x95\xdb\x91\xb6\x81\x5e\x91\x4f\x95\xc5", BS_PUSHBUTTON | WS_TABSTOP, 0, {107, 119, 47, 15}});
                    expected.push_back({129, "Button", "\x95\xdb\x91\xb6\x81\x5e\x8e\x9f\x95\xc5", BS_PUSHBUTTON | WS_TABSTOP, 0, {155, 119, 47, 15}});
                    expected.push_back({-1, "Static", "\x94\xd4\x8d\x86", SS_CENTER | WS_GROUP, 0, {14, 3, 17, 8}});
                    expected.push_back({-1, "Static", "\x95\x5c\x8e\xa6\x96\xbc\x8f\xcc", SS_CENTER | WS_GROUP, 0, {43, 3, 33, 8}});
                    expected.push_back({-1, "Static", "\x8b\x4e\x93\xae\x83\x41\x83\x76\x83\x8a\x83\x50\x81\x5b\x83\x56\x83\x87\x83\x93", SS_CENTER | WS_GROUP, 0, {128, 3, 81, 8}});
                    for (int row = 0; row < 8; ++row)
                        expected.push_back({1004 + row, "Static", std::to_string(8 + row), SS_RIGHT | WS_GROUP, 0, {16, 15 + 13 * row, 14, 8}});
                    expectControls(dialog, expected, report);
                    d.setText(dialog, 104, "Renamed");
                    d.setText(dialog, 122, "Fifteen");
                    d.click(dialog, IDOK);
                });
    EXPECT_EQ(report, "");
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(view.labels, numbers(8));
    EXPECT_EQ(view.names[1], "Nine");
    EXPECT_EQ(view.commands[1], "nine.exe");
    EXPECT_EQ(view.commands[7], "last.exe");
    EXPECT_EQ(view.focus, 1000);
    std::string menu = "MenuItem9=Renamed\r\n", exec = "ExecItem9=nine.exe\r\nExecItem15=last.exe\r\n";
    for (int item = 8; item < 16; ++item) {
        if (item != 9)
            menu += "MenuItem" + std::to_string(item) + "=" + (item == 15 ? "Fifteen" : "") + "\r\n";
        if (item != 9 && item != 15)
            exec += "ExecItem" + std::to_string(item) + "=\r\n";
    }
    EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nCurrent=13\r\n[Menu]\r\n" + menu + "[Exec]\r\n" + exec);
    // The relayout after OK shows the saved name on the bar's page (items 13 on).
    EXPECT_EQ(bar->itemName[2], "Fifteen");
    EXPECT_EQ(windowText(GetDlgItem(bar->hwnd(), 2015)), "Fifteen");
}

TEST_F(Dialogs, EditorFromAShiftClickOpensOnTheItemAndPutsCurrentBack)
{
    open("[Env]\r\nCurrent=13\r\n[Menu]\r\nMenuItem18=Eighteen\r\n");
    HWND button = GetDlgItem(bar->hwnd(), 2018);
    ASSERT_NE(button, nullptr);
    EditorView view;
    int currentWhileOpen = 0;
    Driver::run(
        [&] {
            SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 5));
            SendMessageA(button, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(5, 5));
        },
        [&](Driver& d) {
            HWND dialog = d.waitWindow(kEditorCaption);
            if (!dialog)
                return;
            view = look(d, dialog);
            currentWhileOpen = bar->Current;
            d.setText(dialog, 107, "typed but cancelled");
            // Another program changes the item meanwhile: the relayout after the editor shows it.
            WritePrivateProfileStringA("Menu", "MenuItem18", "Elsewhere", testApp().profile().name().c_str());
            d.click(dialog, IDCANCEL);
        });
    EXPECT_EQ(view.labels, numbers(16));
    EXPECT_EQ(view.names[2], "Eighteen");
    EXPECT_EQ(view.focus, 107);
    EXPECT_EQ(currentWhileOpen, 18);
    EXPECT_EQ(bar->Current, 13);
    // Laid out again even after a cancel: the page read anew, the button as a new one would be.
    EXPECT_EQ(GetDlgItem(bar->hwnd(), 2018), button);
    EXPECT_EQ(windowText(button), "Elsewhere");
    EXPECT_EQ(bar->launchButtons[5]->armed, 0);
    EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nCurrent=13\r\n[Menu]\r\nMenuItem18=Elsewhere\r\n");
}

TEST_F(Dialogs, EditorPagesByBlocksOfEightWithinTheKeyRange)
{
    open("[Env]\r\nCurrent=3\r\n[Menu]\r\nMenuItem0=Zero\r\nMenuItem24=TwentyFour\r\n");
    std::vector<EditorView> views;
    Driver::run([&] { bar->openItemEditor(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kEditorCaption);
                    if (!dialog)
                        return;
                    d.setText(dialog, 1000, "lost");
                    d.click(dialog, 128); // previous at 0: reload, typing lost
                    views.push_back(look(d, dialog));
                    d.setText(dialog, 1000, "kept");
                    d.click(dialog, 130); // save and previous at 0: saved, reloaded
                    views.push_back(look(d, dialog));
                    d.click(dialog, 127);
                    d.click(dialog, 127);
                    d.click(dialog, 127);
                    views.push_back(look(d, dialog));
                    d.click(dialog, 128);
                    views.push_back(look(d, dialog));
                    d.click(dialog, IDCANCEL);
                });
    ASSERT_EQ(views.size(), 4u);
    EXPECT_EQ(views[0].labels, numbers(0));
    EXPECT_EQ(views[0].names[0], "Zero");
    EXPECT_EQ(views[0].focus, 1000);
    EXPECT_EQ(views[1].names[0], "kept");
    EXPECT_EQ(views[2].labels, numbers(24));
    EXPECT_EQ(views[2].names[0], "TwentyFour");
    EXPECT_EQ(views[3].labels, numbers(16));
    EXPECT_EQ(views[3].focus, 1000);
    EXPECT_EQ(readFirstLine(fileBytes(ownIniPath()), "MenuItem0="), "MenuItem0=kept");

    // At the last block of keys, the next block is refused; a save still happens.
    closeBar();
    open("[Env]\r\nCurrent=995\r\n");
    std::vector<EditorView> last;
    Driver::run([&] { bar->openItemEditor(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kEditorCaption);
                    if (!dialog)
                        return;
                    last.push_back(look(d, dialog));
                    d.click(dialog, 127);
                    last.push_back(look(d, dialog));
                    d.setText(dialog, 122, "end");
                    d.click(dialog, 129);
                    last.push_back(look(d, dialog));
                    d.click(dialog, IDCANCEL);
                });
    ASSERT_EQ(last.size(), 3u);
    EXPECT_EQ(last[0].labels, numbers(992));
    EXPECT_EQ(last[1].labels, numbers(992));
    EXPECT_EQ(last[2].labels, numbers(992));
    EXPECT_EQ(last[2].names[7], "end");
    EXPECT_EQ(readFirstLine(fileBytes(ownIniPath()), "MenuItem999="), "MenuItem999=end");
}

TEST_F(Dialogs, EditorCutsLongTextsAndBrowseCancelPutsTheRowBack)
{
    open("[Menu]\r\nMenuItem2=Two\r\n[Exec]\r\nExecItem2=two.exe\r\n");
    std::string longText = std::string(258, 'a') + "\x95\x5c" + "tail";
    EditorView afterBrowse;
    bool browsed = false;
    Driver::run([&] { bar->openItemEditor(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kEditorCaption);
                    if (!dialog)
                        return;
                    d.setText(dialog, 107, "typed");
                    d.setText(dialog, 108, "typed.exe");
                    d.click(dialog, 142);
                    HWND chooser = d.waitWindow(kBrowseTitle);
                    browsed = chooser != nullptr;
                    if (chooser) {
                        PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
                        d.waitGone(chooser);
                        Sleep(200);
                    }
                    afterBrowse = look(d, dialog);
                    d.setText(dialog, 1000, longText);
                    d.click(dialog, IDOK);
                });
    EXPECT_TRUE(browsed);
    EXPECT_EQ(afterBrowse.names[2], "Two");
    EXPECT_EQ(afterBrowse.commands[2], "two.exe");
    EXPECT_EQ(afterBrowse.focus, 107);
    EXPECT_EQ(readFirstLine(fileBytes(ownIniPath()), "MenuItem0="), "MenuItem0=" + std::string(258, 'a'));
}

TEST_F(Dialogs, EditorWritesBackWhatWasNotChangedAndKeepsTypedQuotes)
{
    std::string stored = "C:\\" + std::string(410, 'c') + ".exe";
    ASSERT_EQ(stored.size(), 417u);
    open("[Exec]\r\nExecItem3=" + stored + "\r\n");
    const std::string quoted = "\"C:\\my tools\\tool.exe\" \"two words\"";
    std::string shown, beforeFix;
    SeenBox refusal;
    Driver::run([&] { bar->openItemEditor(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kEditorCaption);
                    if (!dialog)
                        return;
                    shown = d.text(dialog, 111);
                    d.setText(dialog, 1000, "Zero");
                    // Blanks around typed quotes would be taken by the profile, and the quotes after them.
                    d.setText(dialog, 102, " " + quoted + " ");
                    // A pasted line break would start a line of its own in the file.
                    d.setText(dialog, 105, "x.exe\rExecItem3=evil.exe");
                    d.click(dialog, IDOK);
                    HWND box = d.waitWindow("Error message", 5000);
                    if (!box)
                        return;
                    refusal = seeBox(box);
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                    d.waitGone(box);
                    beforeFix = fileBytes(ownIniPath());
                    d.setText(dialog, 105, "x.exe");
                    d.click(dialog, IDOK);
                });
    // Which item and which box, and what to do.
    EXPECT_EQ(refusal.text, "改行などの制御文字を含む項目は\n保存できません。\n"
                            "項目 1 の「起動アプリケーション」から、\nその文字を除いてください。");
    EXPECT_FALSE(refusal.lineBroken);
    EXPECT_EQ(beforeFix, "[Exec]\r\nExecItem3=" + stored + "\r\n");
    // Shown cut to an item's field, written back whole because it was left alone.
    EXPECT_EQ(shown, stored.substr(0, 259));
    std::string bytes = fileBytes(ownIniPath());
    EXPECT_EQ(readFirstLine(bytes, "ExecItem3="), "ExecItem3=" + stored);
    EXPECT_EQ(readFirstLine(bytes, "MenuItem0="), "MenuItem0=Zero");
    EXPECT_EQ(readFirstLine(bytes, "ExecItem1="), "ExecItem1=x.exe");
    // The bar reads the typed command back exactly.
    EXPECT_EQ(bar->itemCommand[0], quoted);
}

TEST_F(Dialogs, BrowseRefusesAPathTooLongForAnItemAndKeepsTheCurrentDirectory)
{
    open("[Menu]\r\nMenuItem0=Zero\r\n[Exec]\r\nExecItem0=zero.exe\r\n");
    // Over 259 bytes but far under MAX_PATH characters: Wine's own dialog overflows on longer names.
    auto kanji = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "\x95\x5C"; // 表
        return text;
    };
    std::string folder = testDirectory() + kanji(70);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    std::string longPath = folder + "\\" + kanji(60) + ".exe";
    ASSERT_GT(longPath.size(), 259u);
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    std::vector<EditorView> views;
    Driver::run([&] { bar->openItemEditor(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kEditorCaption);
                    if (!dialog)
                        return;
                    // A path from another folder, then one too long to store.
                    for (const std::string& chosen : {std::string("C:\\windows\\notepad.exe"), longPath}) {
                        d.click(dialog, 140);
                        HWND chooser = d.waitWindow(kBrowseTitle);
                        if (!chooser)
                            return;
                        SetDlgItemTextA(chooser, 0x47C, chosen.c_str());
                        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
                        d.waitGone(chooser);
                        Sleep(200);
                        views.push_back(look(d, dialog));
                    }
                    d.click(dialog, IDCANCEL);
                });
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0].names[0], "notepad");
    EXPECT_EQ(lstrcmpiA(views[0].commands[0].c_str(), "C:\\windows\\notepad.exe"), 0) << views[0].commands[0];
    EXPECT_EQ(views[1].names[0], "notepad");
    EXPECT_EQ(views[1].commands[0], views[0].commands[0]);
    char after[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before);
    RemoveDirectoryA(folder.c_str());
}

// ---- about box ----

TEST_F(Dialogs, AboutBoxShowsItsTemplateAndChangesNothing)
{
    open("[Env]\r\nMenuSize=4\r\n");
    std::string report;
    bool hasIcon = false;
    Driver::run([&] { bar->openAbout(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kAboutCaption);
                    if (!dialog)
                        return;
                    hasIcon = SendDlgItemMessageA(dialog, 104, STM_GETICON, 0, 0) != 0;
                    expectControls(
                        dialog,
                        {
                            {IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {137, 66, 26, 13}},
                            {104, "Static", "", SS_ICON | SS_REALSIZEIMAGE, 0, {12, 5, 18, 20}},
                            {-1, "Static", "ZEL32.EXE Version 1.00\nWindows95/WindowsNT 3.51", SS_CENTER | WS_GROUP, WS_EX_CLIENTEDGE, {9, 31, 154, 30}},
                            {-1, "Static", "\xC4\xDE\xDB\xAF\xCC\xDF/\xB8\xD8\xAF\xB8\x8B\x4E\x93\xAE\xD7\xDD\xC1\xAC\xB0", SS_LEFT | WS_GROUP, 0, {40, 13, 123, 8}},
                        },
                        report);
                    d.click(dialog, IDOK);
                });
    EXPECT_EQ(report, "");
    EXPECT_TRUE(hasIcon);
    EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nMenuSize=4\r\n");
    EXPECT_EQ(launchButtons(), 4);
}

// The about box shows the icon's 32x32 image, and its subtitle fits its box whole.
TEST_F(Dialogs, AboutBoxShowsTheLargeIconAndTheWholeSubtitle)
{
    open("[Env]\r\n");
    SIZE icon{};
    SIZE text{};
    LONG room = 0;
    std::string subtitleText;
    Driver::run([&] { bar->openAbout(); },
                [&](Driver& d) {
                    HWND dialog = d.waitWindow(kAboutCaption);
                    if (!dialog)
                        return;
                    ICONINFO info{};
                    auto shown = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, 104, STM_GETICON, 0, 0));
                    if (shown && GetIconInfo(shown, &info)) {
                        BITMAP colour{};
                        GetObjectA(info.hbmColor, sizeof colour, &colour);
                        icon = {colour.bmWidth, colour.bmHeight};
                        DeleteObject(info.hbmColor);
                        DeleteObject(info.hbmMask);
                    }
                    // The subtitle is the template's last control.
                    HWND subtitle = GetWindow(GetWindow(dialog, GW_CHILD), GW_HWNDLAST);
                    std::string shownText = windowText(subtitle);
                    subtitleText = shownText;
                    HDC dc = GetDC(subtitle);
                    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(subtitle, WM_GETFONT, 0, 0)));
                    GetTextExtentPoint32A(dc, shownText.c_str(), static_cast<int>(shownText.size()), &text);
                    SelectObject(dc, old);
                    ReleaseDC(subtitle, dc);
                    RECT client{};
                    GetClientRect(subtitle, &client);
                    room = client.right;
                    d.click(dialog, IDOK);
                });
    EXPECT_EQ(icon.cx, 32);
    EXPECT_EQ(icon.cy, 32);
    EXPECT_GT(text.cx, 0);
    EXPECT_LE(text.cx, room);
    // It calls the program a launcher (ﾗﾝﾁｬｰ).
    EXPECT_NE(subtitleText.find("\xD7\xDD\xC1\xAC\xB0"), std::string::npos) << subtitleText;
}

} // namespace
