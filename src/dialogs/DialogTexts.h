// The dialogs' own texts, in code page 932 (the compiler's execution character set).
#pragma once

#include "framework/FrameworkTexts.h"

constexpr const char kBrowseFilter[] = "Exec Files (*.exe)|*.exe|Com Files (*.com)|*.com|Pif Files (*.pif)|*.pif|"
                                       "Bat Files (*.bat)|*.bat|All Files (*.*)|*.*||";
constexpr const char kBrowseTitle[] = "実行ファイルの選択";
constexpr const char kBrowseInitialName[] = "*.exe";

// A typed name or command holds a line break or another control character.
constexpr const char kControlCharacterText[] = "改行などの制御文字を含む項目は保存できません。";

constexpr const char kMenuSizeMinimumText[] = "メニューの最低数は 1 なので 1 に設定します";
constexpr const char kMenuSizeMaximumText[] = "メニューの最大数は 16 なので 16 に設定します";

// Template ids.
constexpr int kAboutTemplate = 104;
constexpr int kItemEditorTemplate = 106;
constexpr int kSettingsTemplate = 109;
