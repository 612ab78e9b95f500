// ZEL32.EXE as a program: its profile follows its name, its start-up show command, its exit, its resources.
#include <gtest/gtest.h>

#include "support.h"

namespace {

RECT windowRect(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

TEST(Program, ACopyUnderAnotherNameUsesItsOwnProfile)
{
    std::string exe = copyProgram("ZELTOP.EXE");
    putFile(windowsIniPath("ZELTOP.INI"), "[Env]\r\nMenuPos=0\r\nMenuSize=2\r\n");
    // ZEL32.INI, if any, is not this test's: it is only compared, never made or removed.
    std::string zel32Ini = windowsIniPath("ZEL32.INI");
    bool zel32Existed = GetFileAttributesA(zel32Ini.c_str()) != INVALID_FILE_ATTRIBUTES;
    std::string zel32Bytes = fileBytes(zel32Ini);

    Started started = startProgram(exe, SW_SHOWNORMAL);
    ASSERT_NE(started.bar, nullptr);
    RECT r = windowRect(started.bar);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, 19);
    EXPECT_NE(GetDlgItem(started.bar, 2001), nullptr);
    EXPECT_EQ(GetDlgItem(started.bar, 2002), nullptr);
    // A system close ends the program with code 0 and writes nothing.
    EXPECT_EQ(closeProgram(started), 0);
    EXPECT_EQ(fileBytes(windowsIniPath("ZELTOP.INI")), "[Env]\r\nMenuPos=0\r\nMenuSize=2\r\n");
    EXPECT_EQ(GetFileAttributesA(zel32Ini.c_str()) != INVALID_FILE_ATTRIBUTES, zel32Existed);
    EXPECT_EQ(fileBytes(zel32Ini), zel32Bytes);
    removeFile(windowsIniPath("ZELTOP.INI"));
    DeleteFileA(exe.c_str());
}

TEST(Program, AMinimisedStartPlacesTheBarThenMinimisesIt)
{
    std::string exe = copyProgram("ZELMIN.EXE");
    removeFile(windowsIniPath("ZELMIN.INI"));
    Started started = startProgram(exe, SW_SHOWMINNOACTIVE);
    ASSERT_NE(started.bar, nullptr);
    Sleep(200);
    EXPECT_TRUE(IsIconic(started.bar));
    // Restored, it stands where the placement put it before the minimising.
    PostMessageA(started.bar, WM_SYSCOMMAND, SC_RESTORE, 0);
    for (int i = 0; i < 50 && IsIconic(started.bar); ++i)
        Sleep(20);
    RECT r = windowRect(started.bar);
    int sy = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.top, sy - 19);
    EXPECT_EQ(r.bottom, sy);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXFULLSCREEN));
    EXPECT_EQ(closeProgram(started), 0);
    DeleteFileA(exe.c_str());
}

TEST(Program, CarriesItsDpiManifestAndItsImages)
{
    std::string exe = testDirectory() + "ZEL32.EXE";
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    // Per-monitor aware; no execution level (it would end file virtualisation) and no Common Controls 6.
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
    ASSERT_NE(found, nullptr);
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                         SizeofResource(module, found));
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
    for (const char* image : {"SYSMENUU", "SYSMENUD", "ICONU", "ICOND", "CHANGEU", "CHANGED", "NEXTU", "NEXTD",
                              "BEFOREU", "BEFORED"}) {
        HBITMAP bitmap = LoadBitmapA(module, image);
        ASSERT_NE(bitmap, nullptr) << image;
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 20) << image;
        EXPECT_EQ(info.bmHeight, 19) << image;
        DeleteObject(bitmap);
    }
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(31234), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        GetIconInfo(icon, &info);
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(module);
}

// What Explorer's Properties read: the fixed version and a Japanese and an English block.
TEST(Program, CarriesItsVersionInJapaneseAndEnglish)
{
    std::string exe = testDirectory() + "ZEL32.EXE";
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, data.data()));
    UINT length = 0;
    auto query = [&](const std::string& path) -> const void* {
        void* value = nullptr;
        length = 0;
        return VerQueryValueA(data.data(), path.c_str(), &value, &length) ? value : nullptr;
    };

    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query("\\"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const auto* translation = static_cast<const WORD*>(query("\\VarFileInfo\\Translation"));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 8u);
    EXPECT_EQ(std::vector<WORD>(translation, translation + 4), (std::vector<WORD>{0x0411, 932, 0x0409, 1252}));

    struct Value {
        const char* block;
        const char* name;
        std::string text;
    };
    std::vector<Value> values = {
        {"041103A4", "FileDescription",
         "\x89\xe6\x96\xca\x82\xcc\x92\x5b\x82\xcc\x83\x89\x83\x93\x83\x60\x83\x83\x81\x5b\x83\x6f\x81\x5b"}, // 画面の端のランチャーバー
        {"040904E4", "FileDescription", "ZEL32 launcher bar"},
    };
    for (const char* block : {"041103A4", "040904E4"}) {
        values.push_back({block, "FileVersion", "1.00"});
        values.push_back({block, "ProductVersion", "1.00"});
        values.push_back({block, "ProductName", "ZEL32"});
        values.push_back({block, "InternalName", "ZEL32"});
        values.push_back({block, "OriginalFilename", "ZEL32.EXE"});
        values.push_back({block, "LegalCopyright", "Copyright (C) ZEL32 developers"});
    }
    for (const Value& v : values) {
        std::string path = std::string("\\StringFileInfo\\") + v.block + "\\" + v.name;
        const char* text = static_cast<const char*>(query(path));
        ASSERT_NE(text, nullptr) << path;
        EXPECT_EQ(std::string(text), v.text) << path;
    }
}

} // namespace

namespace {

// Another application desktop toolbar at the bottom, as a taskbar is: registered first.
class OtherBar {
public:
    explicit OtherBar(int height)
    {
        window_ = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "other bar", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
        APPBARDATA data = record();
        data.uCallbackMessage = WM_APP + 1;
        registered_ = SHAppBarMessage(ABM_NEW, &data) != 0;
        if (height)
            setHeight(height);
    }
    ~OtherBar()
    {
        APPBARDATA data = record();
        SHAppBarMessage(ABM_REMOVE, &data);
        DestroyWindow(window_);
    }
    bool registered() const { return registered_; }
    int queryBottom() const
    {
        APPBARDATA data = record();
        data.uEdge = ABE_BOTTOM;
        int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
        data.rc = RECT{0, sy - 10, sx, sy};
        SHAppBarMessage(ABM_QUERYPOS, &data);
        return data.rc.bottom;
    }
    void setHeight(int height)
    {
        APPBARDATA data = record();
        data.uEdge = ABE_BOTTOM;
        int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
        data.rc = RECT{0, sy - height, sx, sy};
        SHAppBarMessage(ABM_QUERYPOS, &data);
        data.rc.top = data.rc.bottom - height;
        SHAppBarMessage(ABM_SETPOS, &data);
    }

private:
    APPBARDATA record() const
    {
        APPBARDATA data{};
        data.cbSize = sizeof data;
        data.hWnd = window_;
        return data;
    }
    HWND window_ = nullptr;
    bool registered_ = false;
};

// Where the shell would put one more bar at the bottom now: the bottom of its room.
int freeBottom()
{
    OtherBar probe(0);
    return probe.queryBottom();
}

TEST(Program, AsAnApplicationBarItStandsAboveAnotherFollowsItAndLeavesNoRoomBehind)
{
    int sy = GetSystemMetrics(SM_CYSCREEN);
    OtherBar other(30);
    ASSERT_TRUE(other.registered());
    std::string exe = copyProgram("ZELAPP.EXE");
    // A bar that kept its room after it ended would push every later one up by 19.
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        putFile(windowsIniPath("ZELAPP.INI"), "[Env]\r\nAppBar=1\r\n");
        Started started = startProgram(exe, SW_SHOWNORMAL);
        ASSERT_NE(started.bar, nullptr);
        EXPECT_EQ(windowRect(started.bar).top, sy - 30 - 19);
        EXPECT_EQ(windowRect(started.bar).bottom, sy - 30);
        if (run == 2) {
            // The other bar grows: the shell tells ours, which moves up with it.
            other.setHeight(40);
            for (int i = 0; i < 100 && windowRect(started.bar).top != sy - 40 - 19; ++i)
                Sleep(20);
            EXPECT_EQ(windowRect(started.bar).top, sy - 40 - 19);
            // Minimised it gives its strip back; restored it takes it again; after the shell
            // starts anew (Explorer restarted) it is an application bar again.
            auto roomAboveAll = [&](int expected) {
                int top = 0;
                for (int i = 0; i < 100 && (top = freeBottom()) != expected; ++i)
                    Sleep(20);
                return top;
            };
            EXPECT_EQ(roomAboveAll(sy - 40 - 19), sy - 40 - 19);
            PostMessageA(started.bar, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            EXPECT_EQ(roomAboveAll(sy - 40), sy - 40);
            PostMessageA(started.bar, WM_SYSCOMMAND, SC_RESTORE, 0);
            EXPECT_EQ(roomAboveAll(sy - 40 - 19), sy - 40 - 19);
            APPBARDATA forgotten{};
            forgotten.cbSize = sizeof forgotten;
            forgotten.hWnd = started.bar;
            SHAppBarMessage(ABM_REMOVE, &forgotten); // as a shell that starts anew knows no bar
            EXPECT_EQ(roomAboveAll(sy - 40), sy - 40);
            PostMessageA(started.bar, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
            EXPECT_EQ(roomAboveAll(sy - 40 - 19), sy - 40 - 19);
        }
        // Ended by Quit, then by a close request.
        if (run == 1)
            EXPECT_EQ(closeProgram(started), 0);
        else {
            PostMessageA(started.bar, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
            EXPECT_EQ(waitForExit(started), 0);
        }
    }
    removeFile(windowsIniPath("ZELAPP.INI"));
    DeleteFileA(exe.c_str());
}

TEST(Program, AProfileBesideTheProgramIsItsProfile)
{
    // Portable use: a folder of its own, the profile beside the program; the Windows folder's stays untouched.
    std::string folder = testDirectory() + "zel portable";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string exe = folder + "\\ZELPORT.EXE";
    ASSERT_TRUE(CopyFileA((testDirectory() + "ZEL32.EXE").c_str(), exe.c_str(), FALSE));
    std::string beside = folder + "\\ZELPORT.INI";
    putFile(beside, "[Env]\r\nMenuPos=0\r\nMenuSize=2\r\n");
    removeFile(windowsIniPath("ZELPORT.INI"));
    Started started = startProgram(exe, SW_SHOWNORMAL);
    ASSERT_NE(started.bar, nullptr);
    EXPECT_EQ(windowRect(started.bar).top, 0);
    EXPECT_NE(GetDlgItem(started.bar, 2001), nullptr);
    EXPECT_EQ(GetDlgItem(started.bar, 2002), nullptr);
    PostMessageA(started.bar, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_EQ(waitForExit(started), 0);
    EXPECT_EQ(fileBytes(beside), "[Env]\r\nMenuPos=0\r\nMenuSize=2\r\nCurrent=0\r\nSilentSize=10\r\nOverTop=1\r\n"
                                 "Silent=0\r\n");
    EXPECT_EQ(GetFileAttributesA(windowsIniPath("ZELPORT.INI").c_str()), INVALID_FILE_ATTRIBUTES);
    removeFile(beside);
    DeleteFileA(exe.c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace
