#include "Utf8Text.h"

namespace Utf8Text {

namespace {

// The code point starting at text[i], or -1; advances i past it.
long next(const unsigned char *text, std::size_t size, std::size_t &i)
{
    const unsigned char lead = text[i];
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length;
    unsigned long code;
    unsigned long minimum;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return -1;
    }
    if (size - i < static_cast<std::size_t>(length))
        return -1;
    for (int k = 1; k < length; ++k) {
        const unsigned char trail = text[i + k];
        if ((trail & 0xC0) != 0x80)
            return -1;
        code = (code << 6) | (trail & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return -1;
    i += length;
    return static_cast<long>(code);
}

} // namespace

bool decode(const char *text, std::size_t size, std::wstring &out)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text);
    std::wstring result;
    result.reserve(size);
    for (std::size_t i = 0; i < size;) {
        const long code = next(bytes, size, i);
        if (code < 0)
            return false;
        result.push_back(static_cast<wchar_t>(code));
    }
    out.swap(result);
    return true;
}

std::wstring widen(const char *text, std::size_t size)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text);
    std::wstring result;
    result.reserve(size);
    for (std::size_t i = 0; i < size;) {
        const long code = next(bytes, size, i);
        if (code < 0) {
            result.push_back(L'\uFFFD');
            ++i;
        } else {
            result.push_back(static_cast<wchar_t>(code));
        }
    }
    return result;
}

} // namespace Utf8Text
