// The launch buttons' own texts, in code page 932 (the compiler's execution character set).
#pragma once

constexpr const char kStartFailedCaption[] = "Error message";
constexpr const char kFileNotFoundText[] = "ファイルが見つかりませんでした";
constexpr const char kPathNotFoundText[] = "パス名称が不正です";
constexpr const char kBadFormatText[] = "コマンドラインの生成に失敗しました";
// A batch file given an argument cmd.exe would change; the file's path follows on the next line.
constexpr const char kBatchRefusedText[] = "バッチファイルに渡せない文字（%、\"、制御文字）を含むため、起動しませんでした。";
// A dropped name that holds a line break, another control character or a quote.
constexpr const char kBadDroppedNameText[] = "改行などの制御文字や「\"」を含むファイル名は使えません。";

// The item's own menu.
constexpr const char kItemMenuOpen[] = "開く";
constexpr const char kItemMenuRunAs[] = "管理者として実行";
constexpr const char kItemMenuLocation[] = "ファイルの場所を開く";
constexpr const char kItemMenuProperties[] = "プロパティ";
constexpr const char kItemMenuEdit[] = "編集...";
constexpr const char kItemMenuEmpty[] = "空にする";
constexpr const char kItemMenuMore[] = "その他";
constexpr const char kItemMenuRegister[] = "登録...";
// 「空にする」 asks first; the item's number and name fill the blanks.
constexpr const char kEmptyQuestionStart[] = "項目 ";
constexpr const char kEmptyQuestionEnd[] = " を空にしますか？";
// The shell could not show the file's folder or properties; the file follows.
constexpr const char kLocationFailedText[] = "ファイルの場所を開けませんでした。";
constexpr const char kPropertiesFailedText[] = "プロパティを表示できませんでした。";

// The text reported for a WinExec result, or null for a result that is not reported.
constexpr const char* startFailureText(unsigned result)
{
    switch (result) {
    case 2: // ERROR_FILE_NOT_FOUND
        return kFileNotFoundText;
    case 3: // ERROR_PATH_NOT_FOUND
        return kPathNotFoundText;
    case 11: // ERROR_BAD_FORMAT
        return kBadFormatText;
    default:
        return nullptr;
    }
}
