// A real bar in the test process: its window, controls, fonts and images on screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar/BarIds.h"
#include "bar/LauncherBar.h"
#include "support.h"

namespace {

class BarWindow : public BarTest {
protected:
    RECT childRect(int id) const
    {
        HWND child = GetDlgItem(bar->hwnd(), id);
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, bar->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string show(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

TEST_F(BarWindow, WindowClassStyleAndTitle)
{
    open("");
    HWND hwnd = bar->hwnd();
    EXPECT_EQ(className(hwnd), "ZelLauncherBar");
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCL_STYLE), static_cast<ULONG_PTR>(CS_DBLCLKS));
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND), 0u);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(hwnd, GCLP_HCURSOR)), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_NE(GetClassLongPtrA(hwnd, GCLP_HICON), 0u);
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(31234), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */), nullptr);

    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), 0x800A0000u);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    // This test program runs as NT: no tool-window style.
    EXPECT_EQ(bar->platformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(windowText(hwnd), " ZEL32.EXE Ver1.00");
    EXPECT_EQ(bar->barHeight, 19);
    EXPECT_EQ(bar->barShown, 1);
    EXPECT_EQ(bar->userHidden, 0);
    EXPECT_EQ(bar->inCreate, 0);
}

TEST_F(BarWindow, DocksAtTheBottomOnTopWithoutProfile)
{
    open("");
    EXPECT_EQ(bar->OverTop, 1);
    EXPECT_EQ(bar->Silent, 0);
    EXPECT_EQ(bar->Current, 0);
    EXPECT_EQ(bar->MenuSize, 8);
    EXPECT_EQ(bar->SilentSize, 10);
    EXPECT_EQ(bar->MenuPos, 1);
    RECT r;
    GetWindowRect(bar->hwnd(), &r);
    int sy = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_TRUE(sameRect(r, RECT{0, sy - 19, GetSystemMetrics(SM_CXFULLSCREEN), sy})) << show(r);
    EXPECT_NE(GetWindowLongA(bar->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(BarWindow, DocksAtTheTopAndStaysBehindWhenTheProfileSaysSo)
{
    open("[Env]\r\nMenuPos=0\r\nOverTop=0\r\n");
    RECT r;
    GetWindowRect(bar->hwnd(), &r);
    EXPECT_TRUE(sameRect(r, RECT{0, 0, GetSystemMetrics(SM_CXFULLSCREEN), 19})) << show(r);
    EXPECT_EQ(GetWindowLongA(bar->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(BarWindow, ReadsEveryKeyOfTheProfile)
{
    open("[Env]\r\nMenuPos=0\r\nOverTop=0\r\nSilent=1\r\nCurrent=16\r\nMenuSize=5\r\nSilentSize=3\r\n"
         "[Menu]\r\nMenuItem16=First\r\nMenuItem20=Fifth\r\nMenuItem31=Last\r\nMenuItem32=Beyond\r\n"
         "[Exec]\r\nExecItem16=first.exe\r\nExecItem31=last.exe -x\r\n");
    EXPECT_EQ(bar->MenuPos, 0);
    EXPECT_EQ(bar->OverTop, 0);
    EXPECT_EQ(bar->Silent, 1);
    EXPECT_EQ(bar->Current, 16);
    EXPECT_EQ(bar->MenuSize, 5);
    EXPECT_EQ(bar->SilentSize, 3);
    // All 16 slots are loaded, whatever the number of buttons.
    EXPECT_EQ(bar->itemName[0], "First");
    EXPECT_EQ(bar->itemCommand[0], "first.exe");
    EXPECT_EQ(bar->itemName[4], "Fifth");
    EXPECT_EQ(bar->itemName[15], "Last");
    EXPECT_EQ(bar->itemCommand[15], "last.exe -x");
    EXPECT_EQ(bar->itemName[1], "");
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_NE(GetDlgItem(bar->hwnd(), 2016 + slot), nullptr) << slot;
    EXPECT_EQ(GetDlgItem(bar->hwnd(), 2021), nullptr);
    EXPECT_EQ(windowText(GetDlgItem(bar->hwnd(), 2016)), "First");
    EXPECT_EQ(windowText(GetDlgItem(bar->hwnd(), 2020)), "Fifth");
}

TEST_F(BarWindow, HandEditedValuesAreBroughtIntoRange)
{
    std::string longName = std::string(258, 'x') + "\x95\x5C" + "tail";
    open("[Env]\r\nMenuSize=40\r\nCurrent=5000\r\nMenuPos=\"0\"\r\n[Menu]\r\nMenuItem999=" + longName + "\r\n");
    EXPECT_EQ(bar->MenuSize, 16);
    EXPECT_EQ(bar->Current, 999);
    EXPECT_EQ(bar->MenuPos, 0); // the profile functions strip the quotes
    EXPECT_EQ(bar->itemName[0], std::string(258, 'x'));
    EXPECT_NE(GetDlgItem(bar->hwnd(), 2000 + 999 + 15), nullptr);
    closeBar();
    open("[Env]\r\nMenuSize=0\r\nCurrent=-2\r\nMenuPos=0 1\r\n[Menu]\r\nMenuItem0=Zero\r\n");
    EXPECT_EQ(bar->MenuSize, 1);
    EXPECT_EQ(bar->Current, -2);
    EXPECT_EQ(bar->MenuPos, 1);
    EXPECT_EQ(bar->itemName[2], "Zero");
    EXPECT_NE(GetDlgItem(bar->hwnd(), 1998), nullptr);
}

TEST_F(BarWindow, EveryControlHasItsIdRectangleClassCaptionAndStyle)
{
    open("[Env]\r\nCurrent=8\r\n[Menu]\r\nMenuItem8=Edit\r\nMenuItem10=\x95\x5C\r\n");
    int W = GetSystemMetrics(SM_CXFULLSCREEN);
    int n = 8;
    int u = (W - 119) / n;
    struct Expected {
        int id;
        RECT rect;
        const char* caption;
        DWORD style;
    };
    std::vector<Expected> expected = {
        {1100, {0, 0, 19, 19}, "SYSMENU", 0x5000000B},
        {1140, {W - 80, 0, W - 60, 19}, "BEFORE", 0x5000000B},
        {1130, {W - 60, 0, W - 40, 19}, "NEXT", 0x5000000B},
        {1120, {W - 40, 0, W - 20, 19}, "CHANGE", 0x5000000B},
        {1110, {W - 20, 0, W, 19}, "ICON", 0x5000000B},
        {1150, {19 + n * u, 0, W - 80, 19}, "\x81\x48", 0x50000000},
    };
    for (int i = 0; i < n; ++i) {
        const char* caption = i == 0 ? "Edit" : i == 2 ? "\x95\x5C" : "";
        expected.push_back({2008 + i, {19 + i * u, 0, 19 + (i + 1) * u, 19}, caption, 0x50000000});
    }
    int children = 0;
    for (HWND child = GetWindow(bar->hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, static_cast<int>(expected.size()));

    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        HWND child = GetDlgItem(bar->hwnd(), e.id);
        ASSERT_NE(child, nullptr);
        EXPECT_TRUE(sameRect(childRect(e.id), e.rect)) << show(childRect(e.id)) << " want " << show(e.rect);
        EXPECT_EQ(className(child), "Button");
        EXPECT_EQ(windowText(child), e.caption);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)), e.style);
        // Only the launch buttons take dropped files.
        bool accepts = (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
        EXPECT_EQ(accepts, e.id >= 2000);
    }
    EXPECT_EQ(GetWindowLongA(bar->hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    if (W == 1024) {
        EXPECT_TRUE(sameRect(childRect(2015), RECT{810, 0, 923, 19}));
        EXPECT_TRUE(sameRect(childRect(1150), RECT{923, 0, 944, 19}));
    }
}

LOGFONTA fontOf(HWND control)
{
    LOGFONTA font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    GetObjectA(handle, sizeof font, &font);
    return font;
}

void expectBarFont(const LOGFONTA& font, LONG weight)
{
    EXPECT_EQ(font.lfHeight, 12);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(font.lfOrientation, 0);
    EXPECT_EQ(font.lfWeight, weight);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfStrikeOut, 0);
    EXPECT_EQ(font.lfCharSet, 128);
    EXPECT_EQ(font.lfOutPrecision, 0);
    EXPECT_EQ(font.lfClipPrecision, 0);
    EXPECT_EQ(font.lfQuality, 1);
    EXPECT_EQ(font.lfPitchAndFamily, 0);
    EXPECT_STREQ(font.lfFaceName, "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E");
}

TEST_F(BarWindow, LaunchButtonsUseTheNormalFontAndHelpTheBoldOne)
{
    open("");
    {
        SCOPED_TRACE("launch button");
        expectBarFont(fontOf(GetDlgItem(bar->hwnd(), 2003)), 0);
    }
    {
        SCOPED_TRACE("help button");
        expectBarFont(fontOf(GetDlgItem(bar->hwnd(), 1150)), 700);
    }
}

// The pictures as described: frames, symbols as runs per row, and the flat SYSMENU box.
struct Run {
    int y, from, to;
};

const std::vector<Run>& symbolRuns(const std::string& tile)
{
    static const std::vector<Run> icon = {{7, 6, 12}, {8, 7, 11}, {9, 8, 10}, {10, 9, 9}};
    static const std::vector<Run> change = {{4, 9, 9},  {5, 8, 10},  {6, 7, 11},  {7, 6, 12}, {8, 9, 9},
                                            {9, 9, 9},  {10, 6, 12}, {11, 7, 11}, {12, 8, 10}, {13, 9, 9}};
    static const std::vector<Run> next = {{6, 5, 5},   {6, 10, 10}, {12, 5, 5},  {12, 10, 10}, {7, 5, 6},
                                          {7, 10, 11}, {11, 5, 6},  {11, 10, 11}, {8, 5, 7},   {8, 10, 12},
                                          {10, 5, 7},  {10, 10, 12}, {9, 5, 8},   {9, 10, 13}};
    static const std::vector<Run> before = {{6, 8, 8},   {6, 13, 13}, {12, 8, 8},  {12, 13, 13}, {7, 7, 8},
                                            {7, 12, 13}, {11, 7, 8},  {11, 12, 13}, {8, 6, 8},   {8, 11, 13},
                                            {10, 6, 8},  {10, 11, 13}, {9, 5, 8},   {9, 10, 13}};
    return tile == "ICON" ? icon : tile == "CHANGE" ? change : tile == "NEXT" ? next : before;
}

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kLight = RGB(192, 192, 192),
                   kDark = RGB(128, 128, 128), kRed = RGB(255, 0, 0);

bool inRuns(const std::vector<Run>& runs, int x, int y)
{
    for (const Run& run : runs)
        if (run.y == y && x >= run.from && x <= run.to)
            return true;
    return false;
}

COLORREF tilePixel(const std::string& tile, bool down, int x, int y)
{
    if (x == 19 || y == 18)
        return kBlack;
    if ((y == 0 && x <= 17) || (x == 0 && y >= 1 && y <= 16))
        return down ? kBlack : kWhite;
    if ((x == 18 && y <= 16) || (y == 17 && x <= 18))
        return down ? kWhite : kDark;
    if (!down && inRuns(symbolRuns(tile), x, y))
        return kBlack;
    if (down && inRuns(symbolRuns(tile), x - 2, y - 2))
        return kRed;
    return kLight;
}

COLORREF sysMenuPixel(bool down, int x, int y)
{
    if (x == 19 || y == 18)
        return kBlack;
    bool outline = ((y == 8 || y == 10) && x >= 3 && x <= 15) || (y == 9 && (x == 3 || x == 15));
    bool inside = y == 9 && x >= 4 && x <= 14;
    if (outline)
        return down ? kWhite : kBlack;
    if (inside)
        return down ? kBlack : kWhite;
    return down ? kDark : kLight;
}

TEST_F(BarWindow, ButtonImagesAreDrawnPixelForPixel)
{
    open("[Env]\r\nMenuPos=0\r\n");
    int W = GetSystemMetrics(SM_CXFULLSCREEN);
    struct Tile {
        int id;
        std::string name;
        int left;
        int width;
    };
    const Tile tiles[] = {{1100, "SYSMENU", 0, 19}, {1110, "ICON", W - 20, 20}, {1120, "CHANGE", W - 40, 20},
                          {1130, "NEXT", W - 60, 20}, {1140, "BEFORE", W - 80, 20}};
    for (bool down : {false, true}) {
        for (const Tile& tile : tiles) {
            HWND button = GetDlgItem(bar->hwnd(), tile.id);
            SendMessageA(button, BM_SETSTATE, down, 0);
            UpdateWindow(button);
        }
        pumpMessages(300);
        for (const Tile& tile : tiles) {
            int wrong = 0;
            std::string first;
            for (int y = 0; y < 19; ++y) {
                for (int x = 0; x < tile.width; ++x) {
                    COLORREF want = tile.name == "SYSMENU" ? sysMenuPixel(down, x, y) : tilePixel(tile.name, down, x, y);
                    COLORREF got = screenPixel(tile.left + x, y);
                    if (got != want && wrong++ == 0)
                        first = "at " + std::to_string(x) + "," + std::to_string(y) + " got " + std::to_string(got) +
                                " want " + std::to_string(want);
                }
            }
            EXPECT_EQ(wrong, 0) << tile.name << (down ? " down " : " up ") << first;
        }
    }
}

TEST_F(BarWindow, InHighContrastTheTilesAndDialogsTakeTheSystemsColours)
{
    // Wine keeps no high-contrast setting: the program is told it is on. A scheme of white
    // on black, as a high-contrast one is.
    bool (*system)() = highContrastSetting;
    highContrastSetting = [] { return true; };
    const int elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    COLORREF saved[4];
    for (int i = 0; i < 4; ++i)
        saved[i] = GetSysColor(elements[i]);
    const COLORREF scheme[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 255, 0)};
    SetSysColors(4, elements, scheme);
    open("[Env]\r\nMenuPos=0\r\n");
    int W = GetSystemMetrics(SM_CXFULLSCREEN);
    pumpMessages(300);
    // ICON's face, its light and dark edges and its black frame, in the scheme's colours.
    COLORREF face = screenPixel(W - 20 + 10, 3), light = screenPixel(W - 20 + 5, 0),
             dark = screenPixel(W - 20 + 18, 5), frame = screenPixel(W - 20 + 19, 5);
    HBRUSH dialogs = testApp().dialogBrush();
    SetSysColors(4, elements, saved);
    highContrastSetting = system;
    EXPECT_EQ(face, scheme[0]);
    EXPECT_EQ(light, scheme[2]);
    EXPECT_EQ(dark, scheme[3]);
    EXPECT_EQ(frame, scheme[1]);
    // Dialogs and boxes paint with the system's colours, not the program's light grey.
    EXPECT_EQ(dialogs, nullptr);
    EXPECT_NE(testApp().dialogBrush(), nullptr);
}

TEST_F(BarWindow, RelayoutRebuildsTheLaunchButtonsFromTheProfile)
{
    open("[Env]\r\nMenuSize=8\r\n[Menu]\r\nMenuItem0=A\r\nMenuItem2=C\r\n");
    HWND oldFirst = GetDlgItem(bar->hwnd(), 2000);
    HWND oldHelp = GetDlgItem(bar->hwnd(), 1150);
    std::vector<HWND> tiles;
    std::vector<RECT> tileRects;
    for (int id : {1100, 1110, 1120, 1130, 1140}) {
        tiles.push_back(GetDlgItem(bar->hwnd(), id));
        tileRects.push_back(childRect(id));
    }

    WritePrivateProfileStringA("Env", "MenuSize", "3", testApp().profile().name().c_str());
    WritePrivateProfileStringA("Menu", "MenuItem2", "Changed", testApp().profile().name().c_str());
    // A relayout keeps every other setting as it is in memory.
    WritePrivateProfileStringA("Env", "MenuPos", "0", testApp().profile().name().c_str());
    bar->layout();

    EXPECT_EQ(bar->MenuSize, 3);
    EXPECT_EQ(bar->MenuPos, 1);
    // The windows that stay are kept and given what new ones would have; the others go.
    EXPECT_EQ(GetDlgItem(bar->hwnd(), 2000), oldFirst);
    EXPECT_EQ(GetDlgItem(bar->hwnd(), 1150), oldHelp);
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_NE(GetDlgItem(bar->hwnd(), 2000 + slot), nullptr);
    EXPECT_EQ(GetDlgItem(bar->hwnd(), 2003), nullptr);
    EXPECT_EQ(bar->launchButtons[3], nullptr);
    EXPECT_EQ(windowText(GetDlgItem(bar->hwnd(), 2002)), "Changed");
    int W = GetSystemMetrics(SM_CXFULLSCREEN);
    int u = (W - 119) / 3;
    EXPECT_TRUE(sameRect(childRect(2002), RECT{19 + 2 * u, 0, 19 + 3 * u, 19}));
    EXPECT_TRUE(sameRect(childRect(1150), RECT{19 + 3 * u, 0, W - 80, 19}));
    int ids[] = {1100, 1110, 1120, 1130, 1140};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(GetDlgItem(bar->hwnd(), ids[i]), tiles[i]);
        EXPECT_TRUE(sameRect(childRect(ids[i]), tileRects[i]));
    }
    int children = 0;
    for (HWND child = GetWindow(bar->hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, 5 + 3 + 1);

    // Turned to the next page, the same windows carry the new items' ids and captions.
    bar->Current = 1;
    bar->layout();
    EXPECT_EQ(GetDlgItem(bar->hwnd(), 2001), oldFirst);
    EXPECT_EQ(GetDlgItem(bar->hwnd(), 2000), nullptr);
    EXPECT_EQ(windowText(GetDlgItem(bar->hwnd(), 2001)), "");
    EXPECT_EQ(windowText(GetDlgItem(bar->hwnd(), 2002)), "Changed");
    EXPECT_EQ(GetWindowLongA(oldFirst, GWL_STYLE), static_cast<LONG>(WS_CHILD | WS_VISIBLE));
    EXPECT_NE(GetWindowLongA(oldFirst, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
}

TEST_F(BarWindow, RelayoutPutsAHiddenOrRetractedBarBackAtFullHeight)
{
    open("");
    int sy = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(bar->hwnd(), nullptr, 0, sy - 2, 300, 2, SWP_NOZORDER | SWP_NOACTIVATE);
    bar->barShown = 0;
    ShowWindow(bar->hwnd(), SW_HIDE);
    bar->userHidden = 1;
    bar->layout();
    RECT r;
    GetWindowRect(bar->hwnd(), &r);
    EXPECT_TRUE(sameRect(r, RECT{0, sy - 19, GetSystemMetrics(SM_CXFULLSCREEN), sy})) << show(r);
    EXPECT_TRUE(IsWindowVisible(bar->hwnd()));
    EXPECT_EQ(bar->barShown, 1);
    EXPECT_EQ(bar->userHidden, 0);
}

} // namespace

namespace {

TEST_F(BarWindow, AtAnotherDpiEverySizeScalesAndTheArtStaysCrisp)
{
    open("[Env]\r\nMenuPos=0\r\n");
    int W = GetSystemMetrics(SM_CXFULLSCREEN);
    auto changeDpi = [&](int dpi) {
        RECT suggested{0, 0, W, 19};
        SendMessageA(bar->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        pumpMessages(300);
    };
    auto fontHeight = [&](int id) {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(bar->hwnd(), id), WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        return font.lfHeight;
    };
    // 192 DPI: every size doubled, and the art doubled pixel for pixel.
    changeDpi(192);
    EXPECT_TRUE(sameRect(childRect(1100), RECT{0, 0, 38, 38})) << show(childRect(1100));
    EXPECT_TRUE(sameRect(childRect(1110), RECT{W - 40, 0, W, 38})) << show(childRect(1110));
    EXPECT_TRUE(sameRect(childRect(2000), RECT{38, 0, 38 + (W - 238) / 8, 38})) << show(childRect(2000));
    EXPECT_EQ(fontHeight(2000), 24);
    EXPECT_EQ(fontHeight(1150), 24);
    int wrong = 0;
    for (int y = 0; y < 38; ++y)
        for (int x = 0; x < 40; ++x)
            wrong += screenPixel(W - 40 + x, y) != tilePixel("ICON", false, x / 2, y / 2);
    for (int y = 0; y < 38; ++y)
        for (int x = 0; x < 38; ++x)
            wrong += screenPixel(x, y) != sysMenuPixel(false, x / 2, y / 2);
    EXPECT_EQ(wrong, 0);

    // 144 DPI: 29 high, tiles 30 wide; the art keeps its five colours, its frame at the edges.
    changeDpi(144);
    RECT r{};
    GetWindowRect(bar->hwnd(), &r);
    EXPECT_EQ(r.bottom - r.top, 29);
    EXPECT_TRUE(sameRect(childRect(1130), RECT{W - 90, 0, W - 60, 29})) << show(childRect(1130));
    EXPECT_EQ(fontHeight(2000), 18);
    int foreign = 0, frame = 0;
    for (int y = 0; y < 29; ++y) {
        for (int x = 0; x < 30; ++x) {
            COLORREF c = screenPixel(W - 60 + x, y); // NEXT
            foreign += c != kBlack && c != kWhite && c != kLight && c != kDark && c != kRed;
            if (x == 29 || y == 28)
                frame += c != kBlack;
            else if (x == 28 || y == 27)
                frame += c != kDark;
            else if (x == 0 || y == 0)
                frame += c != kWhite;
        }
    }
    EXPECT_EQ(foreign, 0);
    EXPECT_EQ(frame, 0);

    // Back at 96: the classic bar, pixel for pixel.
    changeDpi(96);
    GetWindowRect(bar->hwnd(), &r);
    EXPECT_EQ(r.bottom - r.top, 19);
    EXPECT_TRUE(sameRect(childRect(1110), RECT{W - 20, 0, W, 19}));
    EXPECT_EQ(fontHeight(2000), 12);
    wrong = 0;
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 20; ++x)
            wrong += screenPixel(W - 20 + x, y) != tilePixel("ICON", false, x, y);
    EXPECT_EQ(wrong, 0);
}

} // namespace

namespace {

// As Windows sends it when a window being made moves onto a monitor of another scaling:
// during the bar's first placement.
HHOOK dpiHook = nullptr;
bool dpiSent = false;

LRESULT CALLBACK sendDpiDuringCreation(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char name[32] = {};
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && !dpiSent &&
        GetClassNameA(call->hwnd, name, sizeof name) && std::string(name) == "ZelLauncherBar") {
        dpiSent = true;
        RECT suggested{0, 0, 100, 29};
        SendMessageA(call->hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    }
    return CallNextHookEx(dpiHook, code, wParam, lParam);
}

BOOL CALLBACK closeEach(HWND window, LPARAM)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

TEST_F(BarWindow, ADpiChangeWhileTheBarIsMadeIsAppliedOnceAfterItAndAClosedProcessEndsClean)
{
    dpiSent = false;
    dpiHook = SetWindowsHookExA(WH_CALLWNDPROC, sendDpiDuringCreation, nullptr, GetCurrentThreadId());
    open("");
    UnhookWindowsHookEx(dpiHook);
    ASSERT_TRUE(dpiSent);
    pumpMessages(200);
    // Built once, then laid out again at the new DPI: SYSMENU, eight items, help, four tiles.
    int children = 0;
    for (HWND child = GetWindow(barWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, 14);
    RECT r{};
    GetWindowRect(barWindow, &r);
    EXPECT_EQ(r.bottom - r.top, 29);
    int tooltips = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); w;
         w = FindWindowExA(nullptr, w, "tooltips_class32", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        tooltips += process == GetCurrentProcessId();
    }
    EXPECT_EQ(tooltips, 1);
    // A close to every window of the program (taskkill without /f), the tooltip's first:
    // every window goes, and nothing calls into a bar that is gone.
    HWND tip = FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr);
    if (tip)
        PostMessageA(tip, WM_CLOSE, 0, 0);
    EnumThreadWindows(GetCurrentThreadId(), closeEach, 0);
    pumpMessages(300);
    EXPECT_FALSE(IsWindow(barWindow));
    barWindow = nullptr;
    bar = nullptr;
}

TEST_F(BarWindow, WithIconsEachItemShowsWhatItStartsIconThenItsName)
{
    std::string recorder = testDirectory() + "record_args.exe";
    open("[Env]\r\nMenuPos=0\r\nShowIcons=1\r\n[Menu]\r\nMenuItem0=Rec\r\nMenuItem1=Gone\r\nMenuItem2=Win\r\n"
         "[Exec]\r\nExecItem0=" + recorder + " x\r\nExecItem1=C:\\zel-nowhere\\x.exe\r\nExecItem2=C:\\windows\r\n",
         true);
    pumpMessages(300); // loaded once the page is painted
    EXPECT_NE(GetWindowLongA(GetDlgItem(bar->hwnd(), 2000), GWL_STYLE) & BS_OWNERDRAW, 0);
    EXPECT_NE(bar->slotIcon(0), nullptr); // a program
    EXPECT_EQ(bar->slotIcon(1), nullptr); // nothing there
    EXPECT_NE(bar->slotIcon(2), nullptr); // a folder
    // Drawn left of the name: the left of slot 0 is not the button's face, slot 1's is.
    RECT slot0 = childRect(2000), slot1 = childRect(2001);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto inked = [&](const RECT& r) {
        int n = 0;
        for (int y = r.top + 4; y < r.bottom - 4; ++y)
            for (int x = r.left + 4; x < r.left + 19; ++x)
                n += screenPixel(x, y) != face;
        return n;
    };
    EXPECT_GT(inked(slot0), 20);
    EXPECT_EQ(inked(slot1), 0);
    // A page seen before has its icons at once, without loading them again.
    SendMessageA(bar->hwnd(), WM_COMMAND, MAKEWPARAM(kIdNext, BN_CLICKED), 0);
    SendMessageA(bar->hwnd(), WM_COMMAND, MAKEWPARAM(kIdBefore, BN_CLICKED), 0);
    EXPECT_NE(bar->slotIcon(0), nullptr);
    // The turn itself painted each button, icon and all: none is left to paint again.
    for (int slot = 0; slot < bar->MenuSize; ++slot)
        EXPECT_FALSE(GetUpdateRect(GetDlgItem(bar->hwnd(), 2000 + slot), nullptr, FALSE)) << slot;
    pumpMessages(100);
    EXPECT_GT(inked(slot0), 20);
    // The icon changes with its item.
    HWND button = GetDlgItem(bar->hwnd(), 2000);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(5, 5));
    pumpMessages(300);
    EXPECT_EQ(bar->slotIcon(0), nullptr);
    EXPECT_EQ(inked(slot0), 0);
}

} // namespace
