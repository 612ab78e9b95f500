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
