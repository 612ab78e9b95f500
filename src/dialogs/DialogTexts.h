// The dialogs' own texts, in code page 932 (the compiler's execution character set).
#pragma once

#include "framework/FrameworkTexts.h"

constexpr const char kBrowseFilter[] = "Exec Files (*.exe)|*.exe|Com Files (*.com)|*.com|Pif Files (*.pif)|*.pif|"
                                       "Bat Files (*.bat)|*.bat|All Files (*.*)|*.*||";
constexpr const char kBrowseTitle[] = "実行ファイルの選択";
constexpr const char kBrowseInitialName[] = "*.exe";

// A typed name or command holds a line break or another control character; the
// item's number and the column follow. Each line fits a message box whole (44 bytes).
constexpr const char kControlCharacterText[] = "改行などの制御文字を含む項目は\n保存できません。\n項目 ";
constexpr const char kControlCharacterInName[] = " の「表示名称」から、\nその文字を除いてください。";
constexpr const char kControlCharacterInCommand[] = " の「起動アプリケーション」から、\nその文字を除いてください。";

// The settings dialog's monitor list ("1（メイン） 1920×1080") and an empty hotkey.
constexpr const char kMonitorPrimary[] = "（メイン）";
constexpr const char kMonitorMissing[] = "（未接続）";
constexpr const char kMonitorSizeBy[] = "×";
constexpr const char kHotKeyNone[] = "なし";

constexpr const char kMenuSizeMinimumText[] = "メニューの最低数は 1 なので 1 に設定します";
constexpr const char kMenuSizeMaximumText[] = "メニューの最大数は 16 なので 16 に設定します";

// Template ids.
constexpr int kAboutTemplate = 104;
constexpr int kItemEditorTemplate = 106;
constexpr int kSettingsTemplate = 109;
