#pragma once

#include <cstdint>

namespace AUILib {

// A date and time as the toolkit's interface passes it, by value. All fields
// zero is the answer of a date edit whose widget is gone.
struct ObDateTime
{
    std::uint16_t year = 0;
    std::uint16_t month = 0;  // 1-12
    std::uint16_t day = 0;    // 1-31
    std::uint16_t hour = 0;   // 0-23
    std::uint16_t minute = 0; // 0-59
    std::uint16_t second = 0; // 0-59
};

} // namespace AUILib
