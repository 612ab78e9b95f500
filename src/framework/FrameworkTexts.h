// The framework's own texts, in code page 932 (the compiler's execution character set).
#pragma once

constexpr const char kErrorCaption[] = "Error message";
constexpr const char kInformationCaption[] = "Information Message";
// A number box holds something that is not a whole number.
constexpr const char kInvalidNumberText[] = "整数を入力してください。";
// A profile write failed; the file's path follows on the next line.
constexpr const char kWriteFailedText[] = "設定ファイルに書き込めませんでした。";
