// The tooltips' texts: the pages NEXT and BEFORE lead to, and what a launch button holds.
#include <gtest/gtest.h>

#include "bar/BarTips.h"

namespace {

TEST(BarTips, PagesNamedByTheirItemsUpToTheKeyRange)
{
    struct Case {
        int current, menuSize;
        const char* next;
        const char* previous;
    };
    const Case cases[] = {
        {0, 8, "次のページ：項目 8～15", "前のページはありません"},
        {8, 8, "次のページ：項目 16～23", "前のページ：項目 0～7"},
        {3, 8, "次のページ：項目 11～18", "前のページ：項目 0～7"},
        {-5, 3, "次のページ：項目 -2～0", "前のページはありません"},
        {996, 3, "次のページ：項目 999～1001", "前のページ：項目 993～995"},
        {997, 3, "次のページはありません", "前のページ：項目 994～996"},
        {999, 1, "次のページはありません", "前のページ：項目 998"},
        {5, 1, "次のページ：項目 6", "前のページ：項目 4"},
        {1, 2, "次のページ：項目 3～4", "前のページ：項目 0～1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nextPageTip(c.current, c.menuSize), c.next) << c.current << "+" << c.menuSize;
        EXPECT_EQ(previousPageTip(c.current, c.menuSize), c.previous) << c.current << "+" << c.menuSize;
    }
}

TEST(BarTips, ALaunchButtonShowsItsWholeItemOrHowToRegisterOne)
{
    std::string longCommand = "C:\\" + std::string(300, 'x') + ".exe";
    // The file a click starts, or that none is found.
    EXPECT_EQ(launchTip(8, "Memo", "notepad.exe", "C:\\Windows\\system32\\notepad.exe"),
              "項目 8：Memo\nnotepad.exe\n→ C:\\Windows\\system32\\notepad.exe");
    EXPECT_EQ(launchTip(0, "", ""), "項目 0：未登録\nファイルをドロップすると登録、Shift+クリックで編集");
    EXPECT_EQ(launchTip(-3, "Name", ""),
              "項目 -3：Name\n起動するコマンドがありません。ファイルをドロップすると登録、Shift+クリックで編集");
    EXPECT_EQ(launchTip(12, "", "calc"), "項目 12：（名前なし）\ncalc\n→ 起動するファイルが見つかりません");
    EXPECT_EQ(launchTip(1, "x", longCommand, longCommand), "項目 1：x\n" + longCommand + "\n→ " + longCommand);
    EXPECT_EQ(emptyItemName(12), "空き（項目 12）");
}

} // namespace
