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

// Message boxes. A box breaks a longer line wherever it must, so each line is a
// phrase of at most 44 bytes: Wine's boxes are 264 pixels wide at 96 DPI.
// Asked before restart and shutdown; "No" is the default and changes nothing.
constexpr const char kConfirmCaption[] = "Confirmation Message";
constexpr const char kConfirmRestartText[] = "設定を保存して、コンピューターを\n再起動しますか？";
constexpr const char kConfirmShutdownText[] = "設定を保存して、コンピューターを\nシャットダウンしますか？";
// The quit entry's label (its menu's) goes between the two.
constexpr const char kConfirmQuitHint[] = "（ZEL32 の終了は「";
constexpr const char kConfirmQuitHintEnd[] = "」です）";
constexpr const char kQuitLabel[] = "閉じる";
// Shutdown or restart refused by the system.
constexpr const char kExitFailedText[] = "Windowsを終了できませんでした。\nスタート メニューから終了してください。";
constexpr const char kRestartFailedText[] = "Windowsを再起動できませんでした。\nスタート メニューから再起動してください。";
// Neither the .HLP nor the .HTM file beside the program; the page's path follows.
constexpr const char kNoHelpText[] = "ヘルプが見つかりません。";
constexpr const char kNoHelpNext[] = "ZIP ファイルの中のヘルプ（ZEL32.HTM）を\n上の名前で置いてください。";
// The .HTM page is there but nothing opens it; its path follows.
constexpr const char kHelpNotOpenedText[] = "ヘルプを開けませんでした。";
constexpr const char kHelpNotOpenedNext[] = "HTML ファイルを開く既定のブラウザーを\n確かめてください。";

// With auto-hide on, the edge already has an auto-hide bar of its own (the taskbar).
constexpr const char kAutoHideTakenText[] = "この画面の端には、自動的に隠れるバー\n（タスクバーなど）がすでにあります。\n"
                                            "ZEL もこれまでどおり自動的に隠れますが、\n"
                                            "その端では両方が同時に現れることがあります。";

// The hotkey could not be registered; its name follows, then where to change it.
constexpr const char kHotKeyTakenText[] = "次のホットキーは、ほかのプログラムが\n使っているため、登録できませんでした。";
constexpr const char kHotKeyTakenNext[] = "別のキーを使うときは、";
// The same when another ZEL32 holds it (a second start on the same profile).
constexpr const char kHotKeyOursText[] = "次のホットキーは、もう 1 つの ZEL32 が\n使っているため、このバーでは使えません。";
constexpr const char kHotKeyOursNext[] = "不要なら、このバーを閉じてください。\nこのバーに別のキーを使うときは、";
constexpr const char kHotKeyWhere[] = "「設定の変更」の「ホットキー」で選びます。";

// Tooltips.
constexpr const char kTipSysMenu[] = "コマンドメニュー（ダブルクリックで終了）";
constexpr const char kTipIconHide[] = "ZELを隠す（通知領域のアイコンで再表示）";
constexpr const char kTipIconMinimise[] = "アイコン化（タスクバーのボタンで再表示）";
constexpr const char kTipToTop[] = "画面の上の端へ移動";
constexpr const char kTipToBottom[] = "画面の下の端へ移動";
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
