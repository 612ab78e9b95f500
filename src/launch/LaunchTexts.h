// The launch buttons' own texts, in code page 932 (the compiler's execution character set).
#pragma once

constexpr const char kStartFailedCaption[] = "Error message";
constexpr const char kFileNotFoundText[] = "ファイルが見つかりませんでした";
constexpr const char kPathNotFoundText[] = "パス名称が不正です";
constexpr const char kBadFormatText[] = "コマンドラインの生成に失敗しました";
// What a failed start's box adds after the system's words and the command. A message
// box breaks a longer line wherever it must, so each line is a phrase of at most 44
// bytes: Wine's boxes are 264 pixels wide at 96 DPI.
constexpr const char kEmptyItemLead[] = "項目 ";
constexpr const char kEmptyItemTail[] = " には何も登録されていません。";
constexpr const char kEmptyItemNext[] = "ファイルをドロップすると登録できます。\nShift+クリックで編集できます。";
constexpr const char kFolderMissingLine[] = "フォルダーが見つかりません。";
constexpr const char kNotAProgramLine[] = "起動できるプログラムではありません。";
constexpr const char kNoAssociationLine[] = "開くプログラムが登録されていません。";
constexpr const char kNoAssociationNext[] = "エクスプローラーの「プログラムから開く」で\n開くプログラムを選んでください。";
constexpr const char kFixCommandNext[] = "Shift+クリックでコマンドを直せます。";
constexpr const char kCheckCommandNext[] = "コマンドを確かめてください。\n（Shift+クリックで編集できます）";
// A batch file given an argument cmd.exe would change; the file's path follows.
constexpr const char kBatchRefusedText[] = "バッチファイルに渡せない文字を含むため、\n起動しませんでした（%、\"、制御文字）。";
constexpr const char kBatchRefusedNext[] = "その文字を除いてから、やり直してください。";
// A dropped name that holds a line break, another control character or a quote.
constexpr const char kBadDroppedNameText[] = "改行などの制御文字や「\"」を含む\nファイル名は使えません。\n名前を変えてからドロップしてください。";

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
