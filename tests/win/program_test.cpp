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
    removeFile(windowsIniPath("ZEL32.INI"));

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
    EXPECT_EQ(GetFileAttributesA(windowsIniPath("ZEL32.INI").c_str()), INVALID_FILE_ATTRIBUTES);
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

TEST(Program, CarriesNoManifestAndItsImages)
{
    std::string exe = testDirectory() + "ZEL32.EXE";
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */), nullptr);
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

} // namespace
