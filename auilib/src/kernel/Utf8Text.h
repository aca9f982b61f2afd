#pragma once

#include <cstddef>
#include <string>

// UTF-8 to wide text for the toolkit's files; private to the library.
namespace Utf8Text {

// Strict: false for an overlong form, a surrogate, a code point past U+10FFFF
// or a cut sequence, so that a damaged file is refused instead of misread.
// NUL bytes are characters like any other.
bool decode(const char *text, std::size_t size, std::wstring &out);

// For names and values out of an already checked document: whatever the XML
// reader produced from a numeric reference (a lone surrogate, say) becomes
// U+FFFD instead of failing the whole file.
std::wstring widen(const char *text, std::size_t size);

} // namespace Utf8Text
