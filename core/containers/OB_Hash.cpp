#include "OB_Hash.h"

#include <cstring>
#include <cwchar>
#include <string>

namespace {

template <typename Char, typename Unit>
uint32_t HashOf(const Char* text, int length, bool ignoreCase, uint32_t multiplier)
{
    if (!text)
        return 0;
    const size_t n = length < 0 ? std::char_traits<Char>::length(text) : static_cast<size_t>(length);
    uint32_t h = 0;
    for (size_t i = 0; i < n; ++i) {
        Unit c = static_cast<Unit>(text[i]);
        if (ignoreCase && c >= 'A' && c <= 'Z')
            c += 32;
        h = h * multiplier + static_cast<uint32_t>(static_cast<int32_t>(c));
    }
    return h;
}

} // namespace

uint32_t OB_HashCode_String_GetA(const char* text, int length, bool ignoreCase)
{
    return HashOf<char, signed char>(text, length, ignoreCase, 31u);
}

uint32_t OB_HashCode_String_GetW(const wchar_t* text, int length, bool ignoreCase)
{
    return HashOf<wchar_t, int32_t>(text, length, ignoreCase, 1313u);
}
