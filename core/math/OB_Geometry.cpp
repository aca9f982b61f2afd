#include "OB_Geometry.h"

#include "COB_FloatRect.h"

#include <cmath>
#include <cstdint>

int OB_SaturatedInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    if (value >= static_cast<double>(INT32_MAX))
        return INT32_MAX;
    return static_cast<int>(value);
}

bool GetIntersection(float low1, float high1, float low2, float high2, float& interlow, float& interhigh)
{
    if (low2 >= high1 || low1 >= high2)
        return false;
    interlow = low1 > low2 ? low1 : low2;
    interhigh = high1 < high2 ? high1 : high2;
    return true;
}

namespace {

// The distance between two ranges; 0 when they overlap.
float Gap(float low1, float high1, float low2, float high2)
{
    if (high1 < low2)
        return low2 - high1;
    if (high2 < low1)
        return low1 - high2;
    return 0;
}

} // namespace

bool OB_IsRectAdjacent(const COB_FloatRect& r1, const COB_FloatRect& r2, float alignTolerance,
                       float distanceTolerance, int alignment)
{
    if (!(r1.left < r1.right && r1.bottom < r1.top && r2.left < r2.right && r2.bottom < r2.top))
        return false;
    if (!(alignTolerance >= 0 && distanceTolerance >= 0) || (alignment != 0 && alignment != 1))
        return false;
    if (r1.Contains(r2) || r2.Contains(r1))
        return true;
    if (alignment == 1) {
        const float centres = std::fabs((r1.left + r1.right) / 2 - (r2.left + r2.right) / 2);
        const float widths = std::fabs((r1.right - r1.left) - (r2.right - r2.left));
        return centres <= alignTolerance && widths <= 2 * alignTolerance &&
               Gap(r1.bottom, r1.top, r2.bottom, r2.top) <= distanceTolerance;
    }
    const float centres = std::fabs((r1.bottom + r1.top) / 2 - (r2.bottom + r2.top) / 2);
    const float heights = std::fabs((r1.top - r1.bottom) - (r2.top - r2.bottom));
    return centres <= alignTolerance && heights <= 2 * alignTolerance &&
           Gap(r1.left, r1.right, r2.left, r2.right) <= distanceTolerance;
}
