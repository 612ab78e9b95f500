// The framework's own texts, in code page 932 (the compiler's execution character set).
#pragma once

constexpr const char kErrorCaption[] = "Error message";
constexpr const char kInformationCaption[] = "Information Message";
// A number box holds something that is not a whole number.
constexpr const char kInvalidNumberText[] = "整数を入力してください。";
// A profile write failed; the file's path follows, then what to check. Each line is a
// phrase that fits a message box whole (44 bytes).
constexpr const char kWriteFailedText[] = "設定ファイルに書き込めませんでした。";
constexpr const char kWriteFailedNext[] = "ファイルが読み取り専用でないか、\nフォルダーに書き込む権限があるか、\nディスクに空きがあるかを確かめてください。";
