#pragma once

#include <cstdint>
#include <string>

namespace AUILib {

// The toolkit's default font, laid out like the Windows font record with wide
// integers. Only height, character set and face name are read or written.
struct logFont
{
    std::int64_t height = 0;
    std::int64_t width = 0;
    std::int64_t escapement = 0;
    std::int64_t orientation = 0;
    std::int64_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::wstring faceName;
};

} // namespace AUILib
