// The bar's own texts, in code page 932 (the compiler's execution character set).
#pragma once

#include "framework/FrameworkTexts.h"

// Window title and notification-area tip; the leading blank is part of it.
constexpr const char kBarTitle[] = " ZEL32.EXE Ver1.00";
// MS Gothic's Japanese face name.
constexpr const char kBarFontFace[] = "ＭＳ ゴシック";
constexpr const char kHelpCaption[] = "？";

// The command menu, Windows 95 variant.
constexpr const char kMenuHide[] = "ZELを隠す";
constexpr const char kMenuShow[] = "ZELを表示する";
constexpr const char kMenuRestart[] = "Systemの再起動";
constexpr const char kMenuShutdown[] = "Windowsの終了";
constexpr const char kMenuSettings[] = "設定の変更...";
constexpr const char kMenuItems[] = "アプリケーションの登録...";
constexpr const char kMenuAbout[] = "バージョン情報...";
constexpr const char kMenuHelp[] = "ヘルプ...";
constexpr const char kMenuQuit[] = "ZELを終了する";
// The command menu elsewhere: byte 0x1E before each mnemonic letter (split so
// the letter is not read as a hex digit), a tab before the key hint.
constexpr const char kMenuIconise[] = "アイコン化(\x1E" "N)";
constexpr const char kMenuRestartKey[] = "Systemの再起動(\x1E" "R)";
constexpr const char kMenuShutdownKey[] = "Windowsの終了(\x1E" "X)";
constexpr const char kMenuSettingsKey[] = "設定の変更(\x1E" "S)...";
constexpr const char kMenuItemsKey[] = "アプリケーションの登録(\x1E" "A)...";
constexpr const char kMenuAboutKey[] = "バージョン情報(\x1E" "V)...";
constexpr const char kMenuHelpKey[] = "ヘルプ(\x1E" "H)...";
constexpr const char kMenuClose[] = "閉じる(\x1E" "C)\tAlt+F4";

// Shutdown or restart refused by the system.
constexpr const char kExitFailedText[] = "Windowsを終了できませんでした。";
constexpr const char kRestartFailedText[] = "Windowsを再起動できませんでした。";
// Neither the .HLP nor the .HTM file beside the program.
constexpr const char kNoHelpText[] = "ヘルプが見つかりません。";
// The .HTM page is there but nothing opens it; its path follows on the next line.
constexpr const char kHelpNotOpenedText[] = "ヘルプを開けませんでした。";

// With auto-hide on, the edge already has an auto-hide bar of its own (the taskbar).
constexpr const char kAutoHideTakenText[] =
    "この画面の端には、自動的に隠れるバー（タスクバーなど）がすでにあります。"
    "ZEL もこれまでどおり自動的に隠れますが、その端では両方が同時に現れることがあります。";

// The hotkey is another program's; its name follows on the next line.
constexpr const char kHotKeyTakenText[] = "ホットキーはほかのプログラムが使っているため、登録できませんでした。";

// Tooltips.
constexpr const char kTipSysMenu[] = "コマンドメニュー（ダブルクリックで終了）";
constexpr const char kTipIconHide[] = "ZELを隠す（通知領域のアイコンで再表示）";
constexpr const char kTipIconMinimise[] = "ZELをアイコン化";
constexpr const char kTipToTop[] = "画面の上端へ移動";
constexpr const char kTipToBottom[] = "画面の下端へ移動";
constexpr const char kTipHelp[] = "ヘルプ";
constexpr const char kTipNextPage[] = "次のページ：項目 ";
constexpr const char kTipPreviousPage[] = "前のページ：項目 ";
constexpr const char kTipNoNextPage[] = "次のページはありません";
constexpr const char kTipNoPreviousPage[] = "前のページはありません";
// U+FF5E, which code page 932 holds as 81 60.
constexpr const char kTipRangeDash[] = "～";
constexpr const char kTipItem[] = "項目 ";
constexpr const char kTipItemSeparator[] = "：";
constexpr const char kTipUnregistered[] = "未登録";
constexpr const char kTipNameless[] = "（名前なし）";
constexpr const char kTipNoCommand[] = "起動するコマンドがありません。";
// An empty item, for screen readers.
constexpr const char kAccessibleEmptyItem[] = "空き（項目 ";
constexpr const char kAccessibleEmptyItemEnd[] = "）";
// The file a click starts, or that none is found.
constexpr const char kTipStarts[] = "→ ";
constexpr const char kTipNothingStarts[] = "→ 起動するファイルが見つかりません";
constexpr const char kTipHowToRegister[] = "ファイルをドロップすると登録、Shift+クリックで編集";
