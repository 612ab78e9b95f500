// Rules applied to the bar options read from the profile, and the item keys.
#include <gtest/gtest.h>

#include "bar/BarSettings.h"
#include "bar/KeyRules.h"
#include "launch/ItemKeys.h"

namespace {

TEST(SettingsRules, OnlyTheExactTextZeroDocksAtTheTop)
{
    EXPECT_EQ(menuPosFromText("0"), 0);
    for (const char* text : {"", "1", "2", "top", " 0", "0 ", "00", "-0", "0\t"})
        EXPECT_EQ(menuPosFromText(text), 1) << '"' << text << '"';
}

TEST(SettingsRules, MenuSizeIsKeptWithinOneToSixteen)
{
    EXPECT_EQ(clampMenuSize(0), 1);
    EXPECT_EQ(clampMenuSize(-5), 1);
    EXPECT_EQ(clampMenuSize(1), 1);
    EXPECT_EQ(clampMenuSize(8), 8);
    EXPECT_EQ(clampMenuSize(16), 16);
    EXPECT_EQ(clampMenuSize(17), 16);
    EXPECT_EQ(clampMenuSize(2147483647), 16);
    EXPECT_EQ(clampMenuSize(-2147483647 - 1), 1);
}

TEST(SettingsRules, CurrentIsBroughtIntoTheKeyRange)
{
    EXPECT_EQ(clampCurrent(0), 0);
    EXPECT_EQ(clampCurrent(-2), -2);
    EXPECT_EQ(clampCurrent(-99), -99);
    EXPECT_EQ(clampCurrent(-100), -99);
    EXPECT_EQ(clampCurrent(999), 999);
    EXPECT_EQ(clampCurrent(1000), 999);
    EXPECT_EQ(clampCurrent(2147483647), 999);
}

TEST(ItemKeys, AreDecimalWithoutPaddingForAnyNumber)
{
    EXPECT_EQ(menuItemKey(0), "MenuItem0");
    EXPECT_EQ(execItemKey(12), "ExecItem12");
    EXPECT_EQ(menuItemKey(-2), "MenuItem-2");
    EXPECT_EQ(execItemKey(999), "ExecItem999");
    // Past the old 12-byte buffer the key is still whole.
    EXPECT_EQ(execItemKey(1005), "ExecItem1005");
    EXPECT_EQ(execItemKey(-2147483647 - 1), "ExecItem-2147483648");
}


TEST(KeyRules, KeysActOnceAndOnlyOnABarThatTakesInput)
{
    struct Case {
        unsigned key;
        bool shift, repeat, accepts;
        BarKey does;
    };
    using B = BarKey;
    const Case cases[] = {
        {0x0D, false, false, true, B::activate},  {0x0D, false, true, true, B::ignored},
        {0x0D, false, false, false, B::ignored},  {0x22, false, true, true, B::ignored},
        {0x21, false, false, true, B::pageBack},  {0x5D, false, true, true, B::ignored},
        {0x25, false, true, true, B::focusBack},  {0x27, false, false, true, B::focusOn},
        {0x09, true, false, true, B::focusBack},  {0x09, false, true, true, B::focusOn},
        {0x79, false, false, true, B::none},      {0x79, true, false, true, B::menu},
        {0x1B, false, true, false, B::escape},    {0x20, false, false, true, B::none},
        {0x25, false, false, false, B::ignored},
    };
    for (const Case& c : cases)
        EXPECT_EQ(barKeyFor(c.key, c.shift, c.repeat, c.accepts), c.does) << std::hex << c.key << c.shift << c.repeat;
}

TEST(KeyRules, AHotKeyIsNamedAsTheDocumentsNameIt)
{
    // HOTKEYF_ flags (Shift 1, Ctrl 2, Alt 4) times 256 plus the key; other keys by the system's name.
    EXPECT_EQ(hotKeyText(0x376, "x"), "Ctrl+Shift+F7");
    EXPECT_EQ(hotKeyText(0x531, "x"), "Alt+Shift+1");
    EXPECT_EQ(hotKeyText(0x224, "Home"), "Ctrl+Home");
    EXPECT_EQ(hotKeyText(0x600, ""), "Ctrl+Alt+"); // modifiers held, no key yet
}

} // namespace
