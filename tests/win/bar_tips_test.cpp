// The bar's tooltips read back from its tooltip control: every button, after relayouts and edits.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <map>
#include <string>

#include "bar/BarIds.h"
#include "bar/LauncherBar.h"
#include "support.h"

namespace {

// The control holds its texts wide; literals here are code page 932, as the program's
// (one wide literal pins the range's dash to U+FF5E, as the user reads it).
std::wstring utf16(const std::string& text)
{
    std::wstring converted(text.size() + 1, L'\0');
    converted.resize(static_cast<std::size_t>(MultiByteToWideChar(
        932, 0, text.data(), static_cast<int>(text.size()), converted.data(), static_cast<int>(converted.size()))));
    return converted;
}

std::string systemFolder()
{
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

const std::string kHowTo = "ファイルをドロップすると登録、Shift+クリックで編集";

class BarTips : public BarTest {
protected:
    // Control id to tooltip text, for every tool the control holds.
    std::map<int, std::wstring> tips() const
    {
        std::map<int, std::wstring> found;
        HWND control = bar->tips.hwnd();
        int count = static_cast<int>(SendMessageA(control, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TTTOOLINFOW info{};
            info.cbSize = TTTOOLINFOW_V2_SIZE;
            if (!SendMessageW(control, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info)))
                continue;
            wchar_t text[1024] = {};
            info.lpszText = text;
            SendMessageW(control, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
            int id = GetDlgCtrlID(reinterpret_cast<HWND>(info.uId));
            EXPECT_EQ(found.count(id), 0u) << "two tools for " << id;
            found[id] = text;
        }
        return found;
    }
    void command(int id) { SendMessageA(barWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
};

TEST_F(BarTips, EveryButtonSaysWhatItDoesAndFollowsRelayoutsAndEdits)
{
    open("[Env]\r\nCurrent=8\r\nMenuSize=3\r\n[Menu]\r\nMenuItem8=Memo\r\nMenuItem10=NoCmd\r\n"
         "[Exec]\r\nExecItem8=notepad.exe\r\n",
         true);
    std::map<int, std::wstring> expected = {
        {kIdSysMenu, utf16("コマンドメニュー（ダブルクリックで終了）")},
        {kIdIcon, utf16("アイコン化（タスクバーのボタンで再表示）")},
        {kIdChange, utf16("画面の上の端へ移動")},
        {kIdNext, L"次のページ：項目 11\uFF5E13"},
        {kIdBefore, utf16("前のページ：項目 5～7")},
        {kIdHelpButton, utf16("ヘルプ")},
        {2008, utf16("項目 8：Memo\nnotepad.exe\n→ " + systemFolder() + "\\notepad.exe")},
        {2009, utf16("項目 9：未登録\n" + kHowTo)},
        {2010, utf16("項目 10：NoCmd\n起動するコマンドがありません。" + kHowTo)},
    };
    EXPECT_EQ(tips(), expected);

    // A relayout replaces the page's tools: none left for the destroyed buttons.
    command(kIdNext);
    command(kIdChange);
    expected[kIdChange] = utf16("画面の下の端へ移動");
    expected[kIdNext] = utf16("次のページ：項目 14～16");
    expected[kIdBefore] = utf16("前のページ：項目 8～10");
    expected.erase(2008);
    expected.erase(2009);
    expected.erase(2010);
    for (int item = 11; item <= 13; ++item)
        expected[2000 + item] = utf16("項目 " + std::to_string(item) + "：未登録\n" + kHowTo);
    EXPECT_EQ(tips(), expected);

    // An emptied item says so at once.
    command(kIdBefore);
    HWND memo = GetDlgItem(barWindow, 2008);
    SendMessageA(memo, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(5, 5));
    SendMessageA(memo, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(5, 5));
    EXPECT_EQ(tips()[2008], utf16("項目 8：未登録\n" + kHowTo));
    EXPECT_EQ(tips().size(), 9u);

    // A screen reader hears the tips' words, not the window texts ("SYSMENU", "ICON").
    std::map<int, std::wstring> names;
    for (int id : {static_cast<int>(kIdSysMenu), static_cast<int>(kIdIcon), static_cast<int>(kIdChange),
                   static_cast<int>(kIdHelpButton), 2008, 2010}) {
        IAccessible* object = nullptr;
        if (FAILED(AccessibleObjectFromWindow(GetDlgItem(barWindow, id), OBJID_CLIENT, __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&object))) ||
            !object)
            GTEST_SKIP() << "this Wine gives no accessible objects";
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        if (SUCCEEDED(object->get_accName(self, &name)) && name) {
            names[id] = name;
            SysFreeString(name);
        }
        object->Release();
    }
    EXPECT_EQ(names, (std::map<int, std::wstring>{{kIdSysMenu, utf16("コマンドメニュー（ダブルクリックで終了）")},
                                                  {kIdIcon, utf16("アイコン化（タスクバーのボタンで再表示）")},
                                                  {kIdChange, utf16("画面の下の端へ移動")},
                                                  {kIdHelpButton, utf16("ヘルプ")},
                                                  {2008, utf16("空き（項目 8）")},
                                                  {2010, utf16("項目 10：NoCmd")}}));
}

} // namespace
