#include "PicaPoint.h"

#include <cmath>
#include <cstdlib>

namespace AUILib {

PicaPoint NormalizePicaPoint(PicaPoint value)
{
    const double whole = std::trunc(value.points);
    if (whole >= 12.0) {
        long long carry = static_cast<long long>(whole) / 12;
        if (value.picas < 0 || value.points < 0)
            carry = -carry;
        value.points = std::fmod(value.points, 12.0);
        value.picas += carry;
    }
    return value;
}

double PicaPointToPicas(PicaPoint value)
{
    const double length = std::llabs(value.picas) + std::fabs(value.points) / 12.0;
    const bool negative = value.picas < 0 || (value.picas >= 0 && value.points < 0);
    return negative ? -length : length;
}

} // namespace AUILib
