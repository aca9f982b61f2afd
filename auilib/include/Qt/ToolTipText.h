#pragma once

#include <QString>

#include <string>

namespace AUILib {

// A tool tip no wider than `maxWidth` pixels: with a width of 1 or more the
// text comes wrapped as "<div style='white-space:pre-wrap; max-width:Npx;'>text</div>"
// (line breaks kept, the text inserted as it is, rich text included); otherwise
// the text unchanged.
QString FormatToolTipText(const std::wstring &text, int maxWidth);

} // namespace AUILib
