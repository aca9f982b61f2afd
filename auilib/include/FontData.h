#pragma once

#include <string>

namespace AUILib {

// A font description. Every field has a "not set" value, so a record can carry
// only the properties a caller wants to change.
struct FontData
{
    std::wstring faceName;   // empty: not set
    double size = -1.0;      // points; not above 0: not set
    int bold = -1;           // -1 not set, 0 off, 1 on
    int italic = -1;
    int underline = -1;
    int excludedFamily = 0;  // font enumeration marks symbol, icon and emoji families with 1
    int charset = -1;        // negative: not set
};

} // namespace AUILib
