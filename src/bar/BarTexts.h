// The bar's own texts, in code page 932 (the compiler's execution character set).
#pragma once

// Window title and notification-area tip; the leading blank is part of it.
constexpr const char kBarTitle[] = " ZEL32.EXE Ver1.00";
// MS Gothic's Japanese face name.
constexpr const char kBarFontFace[] = "ＭＳ ゴシック";
constexpr const char kHelpCaption[] = "？";
