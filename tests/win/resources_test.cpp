// Relayouts and dialog openings on a real bar leave the process's GDI and USER objects where they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bar/BarIds.h"
#include "support.h"

namespace {

// Wine's GetGuiResources returns 0, but Wine keeps a GDI handle table per
// process, as Windows once did, and the PEB points to it: 65,536 entries of
// 24 bytes (object, owner, unique, type, flags, user data), type 0 when free.
struct GdiEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userData;
};
static_assert(sizeof(GdiEntry) == 24);
constexpr int kGdiEntries = 0x10000;

template <typename T> T readAt(std::uintptr_t address)
{
    T value;
    std::memcpy(&value, reinterpret_cast<const void*>(address), sizeof value);
    return value;
}

const GdiEntry* gdiTable()
{
    // The TEB's own address, as NtCurrentTeb reads it (GCC 12 warns falsely inside that one).
    std::uintptr_t teb = 0;
#ifdef _WIN64
    __asm__("movq %%gs:0x30, %0" : "=r"(teb));
#else
    __asm__("movl %%fs:0x18, %0" : "=r"(teb));
#endif
    bool is64 = sizeof(void*) == 8;
    auto peb = readAt<std::uintptr_t>(teb + (is64 ? 0x60 : 0x30));
    auto table = readAt<std::uintptr_t>(peb + (is64 ? 0xF8 : 0x94));
    // A 32-bit process under Wine's WoW64 has the table in its 64-bit PEB,
    // reached through the 64-bit TEB that GdiBatchCount holds.
    if (!table && !is64) {
        auto teb64 = readAt<std::uint32_t>(teb + 0xF70);
        if (teb64) {
            auto peb64 = readAt<std::uint64_t>(teb64 + 0x60);
            table = static_cast<std::uintptr_t>(readAt<std::uint64_t>(static_cast<std::uintptr_t>(peb64) + 0xF8));
        }
    }
    return reinterpret_cast<const GdiEntry*>(table);
}

BOOL CALLBACK countOwnWindow(HWND hwnd, LPARAM lParam)
{
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId())
        ++*reinterpret_cast<long*>(lParam);
    return TRUE;
}

BOOL CALLBACK countWindowTree(HWND hwnd, LPARAM lParam)
{
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<long*>(lParam);
        EnumChildWindows(hwnd, countOwnWindow, lParam);
    }
    return TRUE;
}

// What the process holds; by kind where the counts come from Wine's tables.
struct GuiObjects {
    long gdi = 0;
    long user = 0;
    std::map<std::string, long> kinds;
    bool operator==(const GuiObjects& other) const { return gdi == other.gdi && user == other.user; }
};

std::ostream& operator<<(std::ostream& out, const GuiObjects& objects)
{
    out << "GDI " << objects.gdi << ", USER " << objects.user << " (";
    for (const auto& [kind, count] : objects.kinds)
        out << ' ' << kind << ' ' << count;
    return out << " )";
}

// The entry's type is the low five bits of the object's kind: pens share the brushes' 0x10.
const std::map<int, const char*> kGdiKinds{{0x01, "DCs"},     {0x04, "regions"}, {0x08, "palettes"},
                                           {0x09, "bitmaps"}, {0x0A, "fonts"},   {0x10, "brushes and pens"}};

// GetGuiResources where it counts (Windows). Under Wine: GDI objects from the
// handle table; USER objects as this process's windows (top-level, child and
// message-only) and the menus and icons found by probing every USER handle
// index (Wine takes a handle without its generation for any generation).
GuiObjects countGuiObjects()
{
    GuiObjects objects;
    DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (gdi != 0 && user != 0) {
        objects.gdi = static_cast<long>(gdi);
        objects.user = static_cast<long>(user);
        return objects;
    }
    if (const GdiEntry* table = gdiTable()) {
        for (int i = 0; i < kGdiEntries; ++i) {
            if (table[i].type == 0)
                continue;
            ++objects.gdi;
            auto kind = kGdiKinds.find(table[i].type);
            ++objects.kinds[kind != kGdiKinds.end() ? kind->second : "GDI type " + std::to_string(table[i].type)];
        }
    } else {
        objects.gdi = -1; // nothing to count with: the self-check fails
    }
    long windows = 0;
    EnumWindows(countWindowTree, reinterpret_cast<LPARAM>(&windows));
    for (HWND only = nullptr; (only = FindWindowExA(HWND_MESSAGE, only, nullptr, nullptr));)
        countWindowTree(only, reinterpret_cast<LPARAM>(&windows));
    long menus = 0;
    long icons = 0;
    for (std::uintptr_t handle = 0x20; handle <= 0xFFEF; handle += 2) {
        menus += IsMenu(reinterpret_cast<HMENU>(handle)) != FALSE;
        ICONINFO info{};
        if (GetIconInfo(reinterpret_cast<HICON>(handle), &info)) {
            ++icons;
            // The call made copies of the icon's bitmaps.
            DeleteObject(info.hbmMask);
            if (info.hbmColor)
                DeleteObject(info.hbmColor);
        }
    }
    objects.kinds["windows"] = windows;
    objects.kinds["menus"] = menus;
    objects.kinds["icons"] = icons;
    objects.user = windows + menus + icons;
    return objects;
}

// The open dialog of this thread (the last made, where a box sits on a dialog).
BOOL CALLBACK findDialog(HWND hwnd, LPARAM lParam)
{
    if (className(hwnd) == "#32770" && IsWindowEnabled(hwnd))
        *reinterpret_cast<HWND*>(lParam) = hwnd;
    return TRUE;
}

std::vector<std::string> closedCaptions;
HWND lastCancelled = nullptr;

// Cancels each dialog the bar waits on, noting its caption; runs in the dialog's own message loop.
void CALLBACK cancelDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || dialog == lastCancelled)
        return;
    lastCancelled = dialog;
    closedCaptions.push_back(windowText(dialog));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

class Resources : public BarTest {
protected:
    void SetUp() override
    {
        // Items on every page, so each relayout makes labelled buttons.
        std::string items = "[Env]\r\nMenuSize=8\r\n[Menu]\r\n";
        for (int i = 0; i < 16; ++i)
            items += "MenuItem" + std::to_string(i) + "=Item " + std::to_string(i) + "\r\n";
        open(items, true);
    }
    void command(int id) { SendMessageA(barWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // One opening and closing of a dialog from the bar; false when none opened.
    bool openAndCancel(int id)
    {
        std::size_t seen = closedCaptions.size();
        UINT_PTR timer = SetTimer(nullptr, 0, 1, cancelDialog);
        command(id);
        KillTimer(nullptr, timer);
        return closedCaptions.size() == seen + 1;
    }
};

TEST_F(Resources, TheCountsSeeObjectsMadeAndDestroyed)
{
    GuiObjects before = countGuiObjects();
    ASSERT_GT(before.gdi, 0);
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 100; ++i)
        brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    HFONT font = CreateFontA(12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    GuiObjects gdiMade = countGuiObjects();
    EXPECT_EQ(gdiMade.gdi - before.gdi, 102) << before << " -> " << gdiMade;
    if (!before.kinds.empty()) {
        EXPECT_EQ(gdiMade.kinds["brushes and pens"] - before.kinds["brushes and pens"], 100);
        EXPECT_EQ(gdiMade.kinds["fonts"] - before.kinds["fonts"], 1);
        EXPECT_EQ(gdiMade.kinds["bitmaps"] - before.kinds["bitmaps"], 1);
    }

    std::vector<HMENU> menus;
    std::vector<HWND> windows;
    for (int i = 0; i < 5; ++i) {
        menus.push_back(CreatePopupMenu());
        windows.push_back(CreateWindowA("BUTTON", "x", WS_CHILD, 0, 0, 10, 10, barWindow, nullptr, nullptr, nullptr));
    }
    std::vector<BYTE> andMask(128, 0xFF);
    std::vector<BYTE> xorMask(128, 0);
    HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, andMask.data(), xorMask.data());
    GuiObjects userMade = countGuiObjects();
    EXPECT_EQ(userMade.user - before.user, 11) << before << " -> " << userMade;
    if (!before.kinds.empty()) {
        EXPECT_EQ(userMade.kinds["windows"] - before.kinds["windows"], 5);
        EXPECT_EQ(userMade.kinds["menus"] - before.kinds["menus"], 5);
        EXPECT_EQ(userMade.kinds["icons"] - before.kinds["icons"], 1);
    }

    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    DeleteObject(font);
    DeleteObject(bitmap);
    for (int i = 0; i < 5; ++i) {
        DestroyMenu(menus[static_cast<std::size_t>(i)]);
        DestroyWindow(windows[static_cast<std::size_t>(i)]);
    }
    DestroyIcon(icon);
    GuiObjects after = countGuiObjects();
    EXPECT_EQ(after, before);
    EXPECT_EQ(after.kinds, before.kinds);
}

TEST_F(Resources, AThousandRelayoutsLeaveTheCountsFlat)
{
    const int cycle[] = {kIdNext, kIdBefore, kIdChange};
    // The pointer away from both edges: a tooltip that comes up under it makes objects of its own.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    // A first round makes whatever is made once (caches, the system's own objects).
    for (int id : cycle)
        command(id);
    pumpMessages(20);
    GuiObjects before = countGuiObjects();
    int startMenuPos = bar->MenuPos;
    for (int i = 0; i < 1000; ++i) {
        command(cycle[i % 3]);
        pumpMessages(0); // as between two clicks
        // The NEXT steps really page.
        if (i % 3 == 0) {
            ASSERT_EQ(bar->Current, 8) << i;
        }
    }
    pumpMessages(20);
    EXPECT_NE(bar->MenuPos, startMenuPos); // 333 changes
    GuiObjects after = countGuiObjects();
    EXPECT_EQ(after, before);
    EXPECT_EQ(after.kinds, before.kinds);
}

TEST_F(Resources, AHundredOpeningsOfEachDialogLeaveTheCountsFlat)
{
    for (int id : {static_cast<int>(kCmdAbout), static_cast<int>(kCmdSettings), static_cast<int>(kCmdEditItems)}) {
        closedCaptions.clear();
        ASSERT_TRUE(openAndCancel(id)) << id;
        pumpMessages(20);
        GuiObjects before = countGuiObjects();
        for (int i = 0; i < 100; ++i)
            ASSERT_TRUE(openAndCancel(id)) << id << " opening " << i;
        pumpMessages(20);
        GuiObjects after = countGuiObjects();
        EXPECT_EQ(after, before) << "dialog " << id;
        EXPECT_EQ(after.kinds, before.kinds) << "dialog " << id;
        // Every opening showed the same dialog, no box in between.
        ASSERT_EQ(closedCaptions.size(), 101u);
        for (const std::string& caption : closedCaptions) {
            ASSERT_EQ(caption, closedCaptions.front()) << id;
        }
        EXPECT_TRUE(IsWindowEnabled(barWindow));
    }
}

} // namespace
