#include "OB_Rect.h"

#include <algorithm>
#include <cstdint>
#include <utility>

void OB_RECT::Normalize()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

void OB_RECT::Intersect(const OB_RECT& other)
{
    Normalize();
    left = std::max(left, std::min(other.left, other.right));
    top = std::max(top, std::min(other.top, other.bottom));
    right = std::min(right, std::max(other.left, other.right));
    bottom = std::min(bottom, std::max(other.top, other.bottom));
    if (left > right || top > bottom)
        left = top = right = bottom = 0;
}

void OB_RECT::Union(const OB_RECT& other)
{
    Normalize();
    left = std::min({left, other.left, other.right});
    top = std::min({top, other.top, other.bottom});
    right = std::max({right, other.left, other.right});
    bottom = std::max({bottom, other.top, other.bottom});
}

bool OB_RECT::Valid() const
{
    // Measured in 64 bits: the 32-bit difference itself would be the overflow.
    const int64_t width = static_cast<int64_t>(right) - left;
    const int64_t height = static_cast<int64_t>(bottom) - top;
    return width >= INT32_MIN && width <= INT32_MAX && height >= INT32_MIN && height <= INT32_MAX;
}
