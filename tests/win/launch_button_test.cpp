// Launch buttons of a real bar: clicks with their key flags, Ctrl-click, drops through a hand-built HDROP,
// the "Error message" boxes, and what the started helper program recorded.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <fstream>
#include <iterator>
#include <vector>

#include "bar/BarIds.h"
#include "bar/LauncherBar.h"
#include "launch/ItemProfile.h"
#include "driver.h"
#include "support.h"

namespace {

// Code page 932 bytes of the three reports.
const std::string kNotFoundBytes = "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc"
                                   "\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd";
const std::string kPathNotFoundBytes = "\x83\x70\x83\x58\x96\xbc\x8f\xcc\x82\xaa\x95\x73\x90\xb3\x82\xc5\x82\xb7";
const std::string kBadFormatBytes = "\x83\x52\x83\x7d\x83\x93\x83\x68\x83\x89\x83\x43\x83\x93\x82\xcc\x90\xb6\x90\xac"
                                    "\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd";

std::string logPath()
{
    return testDirectory() + "launch_record.log";
}

std::string recorder()
{
    return testDirectory() + "record_args.exe";
}

// The log's lines in start order, each "file-name command-line" with the start time taken off.
std::vector<std::string> logLines()
{
    std::ifstream in(logPath(), std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(bytes.substr(start, end - start));
    std::sort(lines.begin(), lines.end());
    for (std::string& line : lines)
        line.erase(0, 17);
    return lines;
}

std::string started(const std::string& commandLine)
{
    return "record_args.exe " + commandLine;
}

class LaunchButtons : public BarTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 932u);
        SetEnvironmentVariableA("ZEL_RECORD_LOG", logPath().c_str());
        DeleteFileA(logPath().c_str());
    }
    void TearDown() override
    {
        // A box nobody expected is closed by the watcher and fails the test instead of hanging it.
        if (watcher) {
            for (const SeenBox& box : watcher->finish())
                ADD_FAILURE() << "unexpected box: " << box.caption << ": " << box.text;
            watcher.reset();
        }
        BarTest::TearDown();
        DeleteFileA(logPath().c_str());
    }
    void open(const std::string& ini)
    {
        BarTest::open(ini, true);
        watcher = makeWatcher();
    }
    // The launch tests note how many programs had started when a box opened.
    std::unique_ptr<BoxWatcher> makeWatcher()
    {
        return std::make_unique<BoxWatcher>(bar->hwnd(), [](SeenBox& box) { box.noted = logLines().size(); });
    }
    // The boxes seen since the last call; the watcher goes on watching.
    std::vector<SeenBox> boxes()
    {
        std::vector<SeenBox> seen = watcher->finish();
        watcher = makeWatcher();
        return seen;
    }
    HWND button(int slot) const { return bar->launchButtons[slot]->hwnd(); }
    LPARAM inside(int slot) const
    {
        RECT r{};
        GetClientRect(button(slot), &r);
        return MAKELPARAM(r.right / 2, r.bottom / 2);
    }
    LPARAM outside(int slot) const
    {
        RECT r{};
        GetClientRect(button(slot), &r);
        return MAKELPARAM(r.right + 10, r.bottom / 2);
    }
    void send(int slot, UINT message, WPARAM keys, LPARAM point) { SendMessageA(button(slot), message, keys, point); }
    void click(int slot, WPARAM keys = 0)
    {
        send(slot, WM_LBUTTONDOWN, keys | MK_LBUTTON, inside(slot));
        send(slot, WM_LBUTTONUP, keys, inside(slot));
    }
    void drop(int slot, HDROP hdrop) { SendMessageA(button(slot), WM_DROPFILES, reinterpret_cast<WPARAM>(hdrop), 0); }
    // Pressed on one button, carried past the drag distance onto another (or back), released there.
    void drag(int from, int to, bool escape = false)
    {
        RECT r{};
        GetWindowRect(button(to), &r);
        POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ScreenToClient(button(from), &at);
        send(from, WM_LBUTTONDOWN, MK_LBUTTON, inside(from));
        send(from, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + 40, at.y));
        send(from, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        if (escape)
            key(from, VK_ESCAPE);
        send(from, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    // A key as the program's loop hands it to the bar; repeated: as auto-repeat sends it.
    bool key(int slot, WPARAM key, bool repeated = false)
    {
        MSG msg{};
        msg.hwnd = button(slot);
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        msg.lParam = repeated ? (1 << 30) | 1 : 1;
        return bar->translateKey(msg);
    }
    // Starts a last program through slot 7 and waits for its line, so every start made
    // before it has been recorded; returns the lines before it.
    std::vector<std::string> startedBefore()
    {
        std::string saved = bar->itemCommand[7];
        bar->itemCommand[7] = recorder() + " sentinel";
        click(7);
        bar->itemCommand[7] = saved;
        std::vector<std::string> lines;
        for (DWORD begin = GetTickCount(); GetTickCount() - begin < kStartTimeoutMs;) {
            lines = logLines();
            if (!lines.empty() && lines.back() == started(recorder() + " sentinel")) {
                lines.pop_back();
                return lines;
            }
            pumpMessages(20);
        }
        ADD_FAILURE() << "the last program never started";
        return lines;
    }
    std::unique_ptr<BoxWatcher> watcher;
};

TEST_F(LaunchButtons, ClicksStartTheItemUnlessExactlyCtrlOrShiftIsHeld)
{
    open("[Exec]\r\nExecItem0=" + recorder() + " from-profile\r\n");
    std::string rec = recorder();
    click(0);
    // The table is read at each click, not when the button was made.
    struct Case {
        WPARAM keys;
        const char* tag;
    } cases[] = {{MK_CONTROL | MK_SHIFT, "ctrl-shift"},   {MK_RBUTTON, "right"},
                 {MK_CONTROL | MK_RBUTTON, "ctrl-right"}, {MK_SHIFT | MK_MBUTTON, "shift-middle"},
                 {MK_SHIFT, "shift"}};
    for (const Case& c : cases) {
        bar->itemCommand[0] = rec + " " + c.tag;
        click(0, c.keys);
    }
    // The item editor, once a Shift-click opens it, is cancelled by the watcher.
    for (const SeenBox& box : boxes())
        EXPECT_NE(box.caption, "Error message");
    EXPECT_EQ(startedBefore(), (std::vector<std::string>{started(rec + " from-profile"), started(rec + " ctrl-shift"),
                                                          started(rec + " right"), started(rec + " ctrl-right"),
                                                          started(rec + " shift-middle")}));
}

TEST_F(LaunchButtons, OnlyAPressInsideArmsAndOnlyAReleaseInsideActs)
{
    open("");
    std::string rec = recorder();

    // A double click starts once: the second press arrives as WM_LBUTTONDBLCLK.
    bar->itemCommand[0] = rec + " double";
    send(0, WM_LBUTTONDOWN, MK_LBUTTON, inside(0));
    EXPECT_EQ(bar->launchButtons[0]->armed, 1);
    send(0, WM_LBUTTONUP, 0, inside(0));
    EXPECT_EQ(bar->launchButtons[0]->armed, 0);
    send(0, WM_LBUTTONDBLCLK, MK_LBUTTON, inside(0));
    EXPECT_EQ(bar->launchButtons[0]->armed, 0);
    send(0, WM_LBUTTONUP, 0, inside(0));

    // Pressed outside (the capture delivers it), released inside: nothing.
    bar->itemCommand[0] = rec + " pressed-outside";
    send(0, WM_LBUTTONDOWN, MK_LBUTTON, outside(0));
    EXPECT_EQ(bar->launchButtons[0]->armed, 0);
    send(0, WM_LBUTTONUP, 0, inside(0));

    // Pressed inside, released outside: nothing, and disarmed.
    bar->itemCommand[0] = rec + " released-outside";
    send(0, WM_LBUTTONDOWN, MK_LBUTTON, inside(0));
    send(0, WM_LBUTTONUP, 0, outside(0));
    EXPECT_EQ(bar->launchButtons[0]->armed, 0);
    send(0, WM_LBUTTONUP, 0, inside(0));

    // Pressed inside at its edge, out (within the drag distance) and back in, released
    // inside: starts. (Carried farther, it is a drag, which starts nothing.)
    bar->itemCommand[0] = rec + " came-back";
    RECT r{};
    GetClientRect(button(0), &r);
    send(0, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 2, r.bottom / 2));
    send(0, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right + 1, r.bottom / 2));
    send(0, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right - 2, r.bottom / 2));
    send(0, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 2, r.bottom / 2));

    // The space bar clicks the button without a mouse message: nothing.
    bar->itemCommand[0] = rec + " space";
    SetFocus(button(0));
    send(0, WM_KEYDOWN, VK_SPACE, 0);
    send(0, WM_KEYUP, VK_SPACE, 0);

    EXPECT_EQ(startedBefore(), (std::vector<std::string>{started(rec + " double"), started(rec + " came-back")}));
}

TEST_F(LaunchButtons, CtrlClickEmptiesTheItemInTableProfileAndCaption)
{
    open("[Env]\r\nCurrent=5\r\n[Menu]\r\nMenuItem7=Seven\r\nMenuItem8=Eight\r\n"
         "[Exec]\r\nExecItem7=" +
         recorder() + " seven\r\nExecItem8=EIGHT.EXE\r\n");
    ASSERT_EQ(windowText(button(2)), "Seven");
    ASSERT_EQ(GetDlgCtrlID(button(2)), 2007);
    click(2, MK_CONTROL);
    EXPECT_EQ(bar->itemName[2], "");
    EXPECT_EQ(bar->itemCommand[2], "");
    EXPECT_EQ(windowText(button(2)), "");
    EXPECT_EQ(windowText(button(3)), "Eight");
    EXPECT_EQ(fileBytes(ownIniPath()), "[Env]\r\nCurrent=5\r\n[Menu]\r\nMenuItem7=\r\nMenuItem8=Eight\r\n"
                                       "[Exec]\r\nExecItem7=\r\nExecItem8=EIGHT.EXE\r\n");

    // An item that was never written gets both keys, "Menu" first.
    putFile(ownIniPath(), "");
    click(4, MK_CONTROL);
    EXPECT_EQ(fileBytes(ownIniPath()), "[Menu]\r\nMenuItem9=\r\n[Exec]\r\nExecItem9=\r\n");
    EXPECT_TRUE(startedBefore().empty());
    EXPECT_TRUE(IsWindow(button(2))); // no relayout
}

TEST_F(LaunchButtons, FailedStartsAreReportedInTheErrorBox)
{
    std::string notProgram = testDirectory() + "not_a_program.exe";
    putFile(notProgram, "plain text\r\n");
    open("[Exec]\r\nExecItem0=C:\\zel-nowhere\\missing.exe\r\nExecItem1=" + notProgram + "\r\nExecItem2=" +
         recorder() + " fine\r\nExecItem4=C:\\windows\\zel-missing.exe /x\r\n");
    click(0);
    click(1);
    click(2); // started: no box
    click(4);
    std::vector<SeenBox> seen = boxes();
    ASSERT_EQ(seen.size(), 3u);
    // The system's words first, then the command and what to do: a missing folder is
    // said as the system says it (Wine's WinExec never did), and named.
    EXPECT_EQ(seen[0].caption, "Error message");
    EXPECT_EQ(seen[0].text, kPathNotFoundBytes + "\nC:\\zel-nowhere\\missing.exe\nフォルダーが見つかりません。\n"
                                                 "Shift+クリックでコマンドを直せます。");
    EXPECT_FALSE(seen[0].lineBroken);
    EXPECT_EQ(seen[1].caption, "Error message");
    EXPECT_EQ(seen[1].text, kBadFormatBytes + "\n" + notProgram +
                                "\n起動できるプログラムではありません。\nShift+クリックでコマンドを直せます。");
    EXPECT_EQ(seen[2].text, kNotFoundBytes + "\nC:\\windows\\zel-missing.exe /x\nShift+クリックでコマンドを直せます。");
    for (const SeenBox& box : seen) {
        EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONHAND));
        EXPECT_EQ(box.background, RGB(192, 192, 192)); // the dialog colours
        EXPECT_FALSE(box.ownerEnabled);                  // modal, owned through the launch button
    }
    EXPECT_TRUE(IsWindowEnabled(bar->hwnd()));

    // The empty command is handed to WinExec too; Wine answers 2 for it. The box names the
    // empty item and says how to fill it, as its tooltip does.
    bar->Current = 5;
    click(3);
    seen = boxes();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, kNotFoundBytes + "\n項目 8 には何も登録されていません。\n"
                                             "ファイルをドロップすると登録できます。\nShift+クリックで編集できます。");
    EXPECT_FALSE(seen[0].lineBroken);
    bar->Current = 0;

    EXPECT_EQ(startedBefore(), std::vector<std::string>{started(recorder() + " fine")});
    // A failed start changes nothing.
    EXPECT_EQ(bar->itemCommand[0], "C:\\zel-nowhere\\missing.exe");
    DeleteFileA(notProgram.c_str());
}

TEST_F(LaunchButtons, ADropOnAnEmptyItemRegistersTheFirstFile)
{
    open("[Menu]\r\nMenuItem1=Old name\r\n");
    // "表" (95 5C) and "ソ" (83 5C) in the folder and in the name.
    std::string first = "C:\\\x95\x5C\\\x83\x5C\x83\x74\x83\x67.TXT";
    HDROP hdrop = makeDrop({first, "C:\\DOC\\B.TXT", "C:\\DOC\\C.TXT"});
    drop(1, hdrop);
    EXPECT_EQ(GlobalSize(hdrop), 0u); // released
    EXPECT_EQ(bar->itemCommand[1], first);
    EXPECT_EQ(bar->itemName[1], "\x83\x5C\x83\x74\x83\x67");
    EXPECT_EQ(windowText(button(1)), "\x83\x5C\x83\x74\x83\x67");
    EXPECT_EQ(fileBytes(ownIniPath()),
              "[Menu]\r\nMenuItem1=\x83\x5C\x83\x74\x83\x67\r\n[Exec]\r\nExecItem1=" + first + "\r\n");

    // A name without extension, a path with a blank: stored unquoted.
    drop(2, makeDrop({"C:\\zel dir\\README"}));
    EXPECT_EQ(windowText(button(2)), "README");
    EXPECT_EQ(bar->itemCommand[2], "C:\\zel dir\\README");

    // Outside the client area, without files, or longer than an item holds: nothing.
    std::string before = fileBytes(ownIniPath());
    drop(3, makeDrop({"C:\\DOC\\OUT.TXT"}, TRUE));
    drop(3, makeDrop(std::vector<std::string>{}));
    std::string longPath = "C:\\" + std::string(200, 'd') + "\\" + std::string(96, 'n') + ".TXT";
    ASSERT_EQ(longPath.size(), 304u);
    drop(3, makeDrop({longPath}));
    EXPECT_EQ(fileBytes(ownIniPath()), before);
    EXPECT_EQ(bar->itemCommand[3], "");
    EXPECT_EQ(windowText(button(3)), "");
    EXPECT_TRUE(startedBefore().empty());
}

TEST_F(LaunchButtons, ADropOnAnItemWithACommandStartsItOncePerFile)
{
    std::string rec = recorder();
    std::string ini = "[Exec]\r\nExecItem0=" + rec + "\r\n";
    open(ini);
    std::string longPath = "C:\\" + std::string(200, 'd') + "\\" + std::string(96, 'n');
    HDROP hdrop = makeDrop({"C:\\DOC\\A.TXT", "C:\\My Documents\\README", "C:\\WORK", "C:\\DOC\\\x95\x5C", longPath});
    drop(0, hdrop);
    EXPECT_EQ(GlobalSize(hdrop), 0u);
    EXPECT_EQ(startedBefore(),
              (std::vector<std::string>{started(rec + " C:\\DOC\\A.TXT"), started(rec + " \"C:\\My Documents\\README.\""),
                                        started(rec + " C:\\WORK."), started(rec + " C:\\DOC\\\x95\x5C."),
                                        started(rec + " " + longPath + ".")}));
    DeleteFileA(logPath().c_str());

    // Outside the client area: nothing started.
    drop(0, makeDrop({"C:\\DOC\\A.TXT"}, TRUE));
    EXPECT_TRUE(startedBefore().empty());
    EXPECT_EQ(fileBytes(ownIniPath()), ini);
}

TEST_F(LaunchButtons, AFailedStartInADropIsReportedBeforeTheNextStart)
{
    std::string rec = recorder();
    open("[Exec]\r\nExecItem0=" + rec + "\r\n");
    // A command line longer than any process takes fails to start.
    std::string tooLong = "C:\\" + std::string(40000, 'x') + ".TXT";
    drop(0, makeDrop({"C:\\DOC\\1.TXT", tooLong, "C:\\DOC\\3.TXT"}));
    std::vector<SeenBox> seen = boxes();
    ASSERT_EQ(seen.size(), 1u);
    // Not the program's fault: the item's command is named, and to be looked at.
    EXPECT_EQ(seen[0].text, kBadFormatBytes + "\n" + rec + "\nコマンドを確かめてください。\n（Shift+クリックで編集できます）");
    EXPECT_EQ(seen[0].noted, 1u); // the third waits for the box
    EXPECT_EQ(startedBefore(),
              (std::vector<std::string>{started(rec + " C:\\DOC\\1.TXT"), started(rec + " C:\\DOC\\3.TXT")}));
}

TEST_F(LaunchButtons, EveryShapeOfCommandStartsWhatTheUserNamedNeverAPlantedOne)
{
    CreateDirectoryA("C:\\zel test", nullptr);
    CreateDirectoryA("C:\\zel cwd", nullptr);
    std::string program = "C:\\zel test\\rec.exe";
    ASSERT_TRUE(CopyFileA(recorder().c_str(), program.c_str(), FALSE));
    // Planted where the system's shortest-first search, a step back in an argument, an
    // extension added to a file's name, or the old search for a bare name would find them first.
    ASSERT_TRUE(CopyFileA(recorder().c_str(), "C:\\zel.exe", FALSE));
    putFile("C:\\zel test\\README", "text");
    ASSERT_TRUE(CopyFileA(recorder().c_str(), "C:\\zel test\\README.com", FALSE));
    std::string systemCopy = "C:\\windows\\system32\\zelbare.exe";
    for (const std::string& copy : {testDirectory() + "zelbare.exe", std::string("C:\\zel cwd\\zelbare.exe"), systemCopy})
        ASSERT_TRUE(CopyFileA(recorder().c_str(), copy.c_str(), FALSE)) << copy;
    char previousFolder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previousFolder);
    SetCurrentDirectoryA("C:\\zel cwd");
    std::string where = testDirectory() + "launch_where.log";
    DeleteFileA(where.c_str());
    SetEnvironmentVariableA("ZEL_RECORD_WHERE", where.c_str());
    SetEnvironmentVariableA("ZELTEST", "C:\\zel test");
    DeleteFileA("C:\\zel test\\missing.exe");
    open("");
    drop(0, makeDrop({program}));
    EXPECT_EQ(fileBytes(ownIniPath()), "[Menu]\r\nMenuItem0=rec\r\n[Exec]\r\nExecItem0=C:\\zel test\\rec.exe\r\n");
    click(0);
    drop(0, makeDrop({"C:\\DOC\\A.TXT"}));
    // With arguments the program part is found and quoted; a command typed with quotes reads
    // back as typed and starts as it stands; ".." in an argument never picks the program; a
    // variable is expanded as a shortcut would; a bare name is the system's own; a long
    // command starts whole.
    std::string longCommand = program + " " + std::string(300, 'a') + " --dry-run";
    for (const std::string& command :
         {std::string("C:\\zel test\\rec.exe /min"), std::string("C:\\zel test\\rec /min"),
          std::string("\"C:\\zel test\\rec.exe\" \"two words\""), std::string("C:\\zel test\\rec -o ..\\..\\zel"),
          std::string("%ZELTEST%\\rec.exe /e"), std::string("zelbare.exe ."), longCommand}) {
        ProfileWrites writes(testApp().profile());
        writeItem(writes, 0, "rec", command);
        ASSERT_TRUE(writes.commit());
        bar->loadItems();
        EXPECT_EQ(bar->itemCommand[0], command);
        click(0);
    }
    // Written by hand with quotes: the profile takes the outer pair, and the program still ends at its quote.
    putFile(ownIniPath(), "[Exec]\r\nExecItem0=\"C:\\zel test\\rec.exe\" \"x y\"\r\nExecItem1=C:\\zel test\\missing.exe\r\n"
                          "ExecItem2=C:\\zel test\\README\r\n");
    bar->loadItems();
    click(0);
    // The intended program is gone: nothing starts, least of all C:\zel.exe. A file without
    // extension is opened (here nothing can), never README.com beside it.
    click(1);
    click(2);
    std::vector<SeenBox> seen = boxes();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, kNotFoundBytes + "\nC:\\zel test\\missing.exe\nShift+クリックでコマンドを直せます。");
    EXPECT_EQ(seen[1].text.rfind(kBadFormatBytes + "\nC:\\zel test\\README\n開くプログラムが", 0), 0u) << seen[1].text;
    EXPECT_EQ(startedBefore(), (std::vector<std::string>{"rec.exe \"C:\\zel test\\rec.exe\"",
                                                          "rec.exe \"C:\\zel test\\rec.exe\" C:\\DOC\\A.TXT",
                                                          "rec.exe \"C:\\zel test\\rec.exe\" /min",
                                                          "rec.exe \"C:\\zel test\\rec\" /min",
                                                          "rec.exe \"C:\\zel test\\rec.exe\" \"two words\"",
                                                          "rec.exe \"C:\\zel test\\rec\" -o ..\\..\\zel",
                                                          "rec.exe \"C:\\zel test\\rec.exe\" /e",
                                                          "zelbare.exe zelbare.exe .",
                                                          "rec.exe \"C:\\zel test\\rec.exe\"" + longCommand.substr(program.size()),
                                                          "rec.exe \"C:\\zel test\\rec.exe\" \"x y\""}));
    // Each program in its own folder, as Explorer starts it; the bare name from the system folder.
    std::string places = fileBytes(where);
    EXPECT_NE(places.find("C:\\zel test\\rec.exe|C:\\zel test\n"), std::string::npos) << places;
    // (A 32-bit program's system folder is redirected, so the copy may be seen under SysWOW64.)
    EXPECT_NE(places.find("\\zelbare.exe|C:\\windows\\system32\n"), std::string::npos) << places;
    EXPECT_EQ(places.find("zel cwd"), std::string::npos) << places;
    EXPECT_EQ(places.find(testDirectory() + "zelbare.exe"), std::string::npos) << places;
    SetEnvironmentVariableA("ZEL_RECORD_WHERE", nullptr);
    SetCurrentDirectoryA(previousFolder);
    for (const std::string& file : {std::string("C:\\zel.exe"), program, std::string("C:\\zel test\\README"),
                                    std::string("C:\\zel test\\README.com"), testDirectory() + "zelbare.exe",
                                    std::string("C:\\zel cwd\\zelbare.exe"), systemCopy, where})
        DeleteFileA(file.c_str());
    RemoveDirectoryA("C:\\zel test");
    RemoveDirectoryA("C:\\zel cwd");
}

TEST_F(LaunchButtons, ASwapMovesWhatTheFileHoldsAndADragThatComesBackDoesNothing)
{
    // A long item, a name kept in quotes for its blanks, a repeated section, and an edit
    // made in the file after the bar read it: the swap moves what the file holds now.
    std::string longName(320, 'n');
    std::string longCommand = recorder() + " " + std::string(400, 'a') + " arg03 --dry-run";
    open("[Env]\r\nOverTop=1\r\n[Menu]\r\nMenuItem0=" + longName + "\r\nMenuItem1=\"  spaced name  \"\r\n"
         "[Exec]\r\nExecItem0=" + longCommand + "\r\nExecItem1=one.exe\r\n[Env]\r\nMenuPos=0\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("Exec", "ExecItem1", "edited.exe", testApp().profile().name().c_str()));
    testApp().profile().flush();
    std::string edited = fileBytes(ownIniPath());
    drag(0, 1);
    const Profile& profile = testApp().profile();
    EXPECT_EQ(profile.readString("Menu", "MenuItem0"), "  spaced name  ");
    EXPECT_EQ(profile.readString("Exec", "ExecItem0"), "edited.exe");
    EXPECT_EQ(profile.readString("Menu", "MenuItem1"), longName);
    EXPECT_EQ(profile.readString("Exec", "ExecItem1"), longCommand);
    EXPECT_EQ(bar->itemCommand[1], longCommand);
    EXPECT_EQ(windowText(button(0)), "  spaced name  ");
    // And back: the file as the hand edit left it, byte for byte.
    drag(1, 0);
    EXPECT_EQ(fileBytes(ownIniPath()), edited);
    // A drag that comes back onto its own button, or that Esc ends, does nothing at all.
    drag(0, 0);
    drag(0, 1, true);
    EXPECT_EQ(fileBytes(ownIniPath()), edited);
    EXPECT_EQ(startedBefore(), std::vector<std::string>{});
}

TEST_F(LaunchButtons, KeysActOnceAndOnlyWhileTheBarIsShown)
{
    open("[Env]\r\nSilent=1\r\n[Exec]\r\nExecItem0=" + recorder() + " key\r\n");
    SetCursorPos(300, GetSystemMetrics(SM_CYSCREEN) - 5);
    SetForegroundWindow(barWindow);
    SetFocus(button(0));
    // Enter held down: the first press starts the item, its repeats start nothing.
    EXPECT_TRUE(key(0, VK_RETURN));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(key(0, VK_RETURN, true));
    // Taken in by auto-hide, the bar lets the keyboard go, and Enter does nothing.
    SetCursorPos(300, 100);
    SendMessageA(barWindow, WM_BAR_IDLE_TICK, 0, 0);
    ASSERT_EQ(bar->barShown, 0);
    EXPECT_NE(GetFocus(), button(0));
    key(0, VK_RETURN);
    SetCursorPos(300, GetSystemMetrics(SM_CYSCREEN) - 1);
    SendMessageA(barWindow, WM_BAR_IDLE_TICK, 0, 0);
    ASSERT_EQ(bar->barShown, 1);
    EXPECT_EQ(startedBefore(), std::vector<std::string>{started(recorder() + " key")});
}

// The item's menu as it shows, read from a thread timer of its own loop, then closed.
struct ItemMenuSeen {
    std::vector<std::string> labels; // a separator as "-", a submenu as "name>count"
    UINT boldEntry = 0;
};
ItemMenuSeen* itemMenuSeen = nullptr;

void CALLBACK readItemMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup))
        return;
    KillTimer(nullptr, timer);
    auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char label[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), label, sizeof label, MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(menu, i))
            itemMenuSeen->labels.push_back(std::string(label) + ">" + std::to_string(GetMenuItemCount(sub) > 0));
        else
            itemMenuSeen->labels.push_back(label[0] ? label : "-");
    }
    itemMenuSeen->boldEntry = GetMenuDefaultItem(menu, FALSE, 0);
    EndMenu();
}

TEST_F(LaunchButtons, EachItemsMenuOffersWhatItsFileAllowsAndDoesWhatClicksDo)
{
    CreateDirectoryA("C:\\zel menu", nullptr);
    putFile("C:\\zel menu\\plan.txt", "x");
    open("[Menu]\r\nMenuItem0=Rec\r\nMenuItem1=Plan\r\nMenuItem2=Folder\r\nMenuItem4=Lost\r\n"
         "[Exec]\r\nExecItem0=" + recorder() + " menu\r\nExecItem1=C:\\zel menu\\plan.txt\r\nExecItem2=C:\\zel menu\r\n"
         "ExecItem4=C:\\zel menu\\gone.exe\r\n");
    auto seen = [&](int slot) {
        ItemMenuSeen menu;
        itemMenuSeen = &menu;
        UINT_PTR timer = SetTimer(nullptr, 0, 20, readItemMenu);
        // A right click's WM_CONTEXTMENU, at the pointer.
        RECT r{};
        GetWindowRect(button(slot), &r);
        SendMessageA(button(slot), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button(slot)),
                     MAKELPARAM(r.left + 5, r.top + 5));
        KillTimer(nullptr, timer);
        itemMenuSeen = nullptr;
        return menu;
    };
    using V = std::vector<std::string>;
    // A program; a document and a folder (no administrator's start); a file that is gone
    // (nothing that needs it); an empty item (only to register one).
    ItemMenuSeen program = seen(0);
    EXPECT_EQ(program.labels, (V{"開く", "管理者として実行", "ファイルの場所を開く", "プロパティ", "-", "編集...",
                                 "空にする", "-", "その他>1"}));
    EXPECT_EQ(program.boldEntry, kItemOpen);
    for (int slot : {1, 2}) {
        EXPECT_EQ(seen(slot).labels, (V{"開く", "ファイルの場所を開く", "プロパティ", "-", "編集...", "空にする", "-",
                                        "その他>1"}))
            << slot;
    }
    EXPECT_EQ(seen(4).labels, (V{"開く", "-", "編集...", "空にする"}));
    EXPECT_EQ(seen(3).labels, V{"登録..."});

    // 開く starts what a click starts; the shell's properties, which Wine lacks, are said to fail.
    bar->launchButtons[0]->doMenuEntry(kItemOpen);
    bar->launchButtons[1]->doMenuEntry(kItemProperties);
    std::vector<SeenBox> boxesSeen = boxes();
    for (const SeenBox& box : boxesSeen) {
        EXPECT_EQ(box.caption, "Error message");
    }
    // 空にする asks first (No keeps the item), then writes what a Ctrl-click writes.
    watcher->finish();
    watcher.reset();
    std::string before = fileBytes(ownIniPath());
    for (int answer : {IDNO, IDYES})
        Driver::run([&] { bar->launchButtons[2]->doMenuEntry(kItemEmpty); },
                    [&](Driver& d) {
                        HWND box = d.waitWindow("Information Message");
                        ASSERT_NE(box, nullptr);
                        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
                        d.waitGone(box);
                        if (answer == IDNO) {
                            EXPECT_EQ(fileBytes(ownIniPath()), before);
                        }
                    });
    watcher = makeWatcher();
    EXPECT_EQ(testApp().profile().readString("Menu", "MenuItem2"), "");
    EXPECT_EQ(testApp().profile().readString("Exec", "ExecItem2"), "");
    EXPECT_EQ(windowText(button(2)), "");
    EXPECT_EQ(startedBefore(), std::vector<std::string>{started(recorder() + " menu")});
    DeleteFileA("C:\\zel menu\\plan.txt");
    RemoveDirectoryA("C:\\zel menu");
}

TEST_F(LaunchButtons, BatchFilesDocumentsAndAmpersandsInPaths)
{
    // A batch item in a folder named with "&", and a program planted where cmd.exe would
    // split the line at an unquoted "&".
    CreateDirectoryA("C:\\zel R&D", nullptr);
    CreateDirectoryA("C:\\zel drop", nullptr);
    std::string batch = "C:\\zel R&D\\run.bat";
    putFile(batch, "@" + recorder() + " batch %*\r\n");
    std::string pwned = testDirectory() + "pwned.exe";
    ASSERT_TRUE(CopyFileA(recorder().c_str(), pwned.c_str(), FALSE));
    // A document type whose "open" starts the recorder, and one with no program at all.
    HKEY key = nullptr;
    std::string opener = "\"" + recorder() + "\" opened \"%1\" %*";
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, ".zeldoc", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("zeldocfile"), 11);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "zeldocfile\\shell\\open\\command", 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(opener.c_str()),
                   static_cast<DWORD>(opener.size() + 1));
    RegCloseKey(key);
    std::string document = "C:\\zel drop\\plan.zeldoc";
    std::string orphan = "C:\\zel drop\\plan.zelnone";
    putFile(document, "x");
    putFile(orphan, "x");

    open("");
    // Registered by a drop, as a user would; the "&" reaches neither cmd.exe nor the profile unquoted.
    drop(0, makeDrop(std::vector<std::string>{batch}));
    EXPECT_EQ(bar->itemCommand[0], batch);
    bar->itemCommand[1] = batch + " %PATH%";
    bar->itemCommand[2] = document + " /c extra";
    bar->itemCommand[3] = orphan;
    click(0);
    drop(0, makeDrop(std::vector<std::string>{"C:\\zel drop\\report&pwned.exe", "C:\\zel drop\\two words"}));
    click(1); // refused: cmd.exe would expand it
    click(2); // opened by its association, with the item's arguments
    drop(2, makeDrop(std::vector<std::string>{"C:\\zel drop\\two words"}));
    click(3); // no association: the 11 box
    // A dropped name cmd.exe would expand: that file is refused and named, the batch file not blamed.
    drop(0, makeDrop(std::vector<std::string>{"C:\\zel drop\\50%PATH%.txt"}));
    // Names that would break a profile line or an argument: one box each, nothing written or started.
    std::string before = fileBytes(ownIniPath());
    drop(4, makeDrop({"C:\\zel drop\\a\nExecItem3=x.exe"}));
    drop(0, makeDrop({"C:\\zel drop\\q\" -inject \"z.txt"}));
    EXPECT_EQ(fileBytes(ownIniPath()), before);
    EXPECT_EQ(bar->itemCommand[4], "");

    std::vector<SeenBox> seen = boxes();
    ASSERT_EQ(seen.size(), 5u);
    const std::string refused = "バッチファイルに渡せない文字を含むため、\n起動しませんでした（%、\"、制御文字）。\n";
    const std::string removeThem = "\nその文字を除いてから、やり直してください。";
    EXPECT_EQ(seen[0].text, refused + batch + removeThem);
    // A document no program opens: said so, and where to choose one.
    EXPECT_EQ(seen[1].text, kBadFormatBytes + "\n" + orphan + "\n開くプログラムが登録されていません。\n"
                                              "エクスプローラーの「プログラムから開く」で\n開くプログラムを選んでください。");
    EXPECT_EQ(seen[2].text, refused + "C:\\zel drop\\50%PATH%.txt" + removeThem);
    EXPECT_EQ(seen[3].caption, "Error message");
    EXPECT_EQ(seen[3].text, "改行などの制御文字や「\"」を含む\nファイル名は使えません。\n名前を変えてからドロップしてください。");
    EXPECT_EQ(seen[3].text, seen[4].text);
    for (const SeenBox& box : seen)
        EXPECT_FALSE(box.lineBroken) << box.text;
    // cmd.exe starts the recorder on its own time: the order is not the test's to check.
    std::vector<std::string> lines = startedBefore();
    std::sort(lines.begin(), lines.end());
    std::vector<std::string> expected{started(recorder() + " batch "),
                                      started(recorder() + " batch \"C:\\zel drop\\report&pwned.exe\""),
                                      started(recorder() + " batch \"C:\\zel drop\\two words.\""),
                                      "record_args.exe \"" + recorder() + "\" opened \"" + document + "\" /c extra",
                                      "record_args.exe \"" + recorder() + "\" opened \"" + document +
                                          "\" /c extra \"C:\\zel drop\\two words.\""};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(lines, expected);
    for (const char* gone : {"zeldocfile\\shell\\open\\command", "zeldocfile\\shell\\open", "zeldocfile\\shell", "zeldocfile",
                             ".zeldoc"})
        RegDeleteKeyA(HKEY_CLASSES_ROOT, gone);
    for (const std::string& file : {batch, pwned, document, orphan})
        DeleteFileA(file.c_str());
    RemoveDirectoryA("C:\\zel R&D");
    RemoveDirectoryA("C:\\zel drop");
}

TEST_F(LaunchButtons, ADroppedNameTheCodePageCannotHoldIsNeverAnotherPath)
{
    // U+00A5 would become a backslash and U+00E9 a plain e under best-fit conversion.
    std::wstring folder = wide(testDirectory()) + L"zel names";
    CreateDirectoryW(folder.c_str(), nullptr);
    // A disarmed program and a text file whose short names would make them a program and a batch file.
    const std::wstring names[] = {folder + L"\\a\u00a5b.txt", folder + L"\\caf\u00e9.exe",
                                  folder + L"\\r\u00e9sum\u00e9.exe_", folder + L"\\\uD55C\uAE00.batch"};
    for (const std::wstring& name : names) {
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    open("");
    for (int slot = 0; slot < 4; ++slot) {
        drop(slot, makeDrop(std::vector<std::wstring>{names[slot]}));
        // Registered by a name that leads back to the same file (its short name, with the
        // same extension), or refused.
        std::string command = bar->itemCommand[slot];
        if (slot >= 2) {
            EXPECT_EQ(command, "") << slot;
        }
        if (command.empty())
            continue;
        wchar_t longName[MAX_PATH] = {};
        ASSERT_NE(GetLongPathNameW(wide(command).c_str(), longName, MAX_PATH), 0u) << command;
        EXPECT_EQ(lstrcmpiW(longName, names[slot].c_str()), 0) << command;
        EXPECT_EQ(command.find("a\\b"), std::string::npos);
        EXPECT_EQ(command.find("cafe"), std::string::npos);
    }
    for (const std::wstring& name : names)
        DeleteFileW(name.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(LaunchButtons, ADropOfTwoHundredFilesStartsEachInOrder)
{
    open("[Exec]\r\nExecItem0=" + recorder() + "\r\n");
    std::vector<std::string> paths, expected;
    for (int i = 0; i < 200; ++i) {
        paths.push_back("C:\\DOC\\F" + std::to_string(1000 + i) + ".TXT");
        expected.push_back(started(recorder() + " " + paths.back()));
    }
    drop(0, makeDrop(paths));
    // The recorder's lines sort by start time, so equality also checks the order.
    EXPECT_EQ(startedBefore(), expected);
}

TEST_F(LaunchButtons, OnlyLaunchButtonsAcceptDrops)
{
    open("");
    EXPECT_EQ(GetWindowLongA(bar->hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(bar->hwnd(), 1150), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    for (int slot = 0; slot < bar->MenuSize; ++slot)
        EXPECT_NE(GetWindowLongA(button(slot), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0) << slot;
}

} // namespace
