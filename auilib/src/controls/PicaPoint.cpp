#include "PicaPoint.h"

#include <algorithm>
#include <cmath>

namespace AUILib {

namespace {

constexpr double kLargestPoints = 12.0 * static_cast<double>(kLargestPicas);

long long boundedPicas(long long picas)
{
    return std::clamp(picas, -kLargestPicas, kLargestPicas);
}

double boundedPoints(double points)
{
    return std::isnan(points) ? 0.0 : std::clamp(points, -kLargestPoints, kLargestPoints);
}

} // namespace

long long BoundedPicas(double picas)
{
    if (std::isnan(picas))
        return 0;
    const double bound = static_cast<double>(kLargestPicas);
    return static_cast<long long>(std::trunc(std::clamp(picas, -bound, bound)));
}

PicaPoint NormalizePicaPoint(PicaPoint value)
{
    value.picas = boundedPicas(value.picas);
    value.points = boundedPoints(value.points);
    const double whole = std::trunc(value.points);
    if (whole >= 12.0) {
        long long carry = static_cast<long long>(whole) / 12;
        if (value.picas < 0 || value.points < 0)
            carry = -carry;
        value.points = std::fmod(value.points, 12.0);
        value.picas = boundedPicas(value.picas + carry);
    }
    return value;
}

double PicaPointToPicas(PicaPoint value)
{
    value.picas = boundedPicas(value.picas);
    value.points = boundedPoints(value.points);
    const double length = std::min(std::fabs(static_cast<double>(value.picas)) + std::fabs(value.points) / 12.0,
                                   static_cast<double>(kLargestPicas));
    const bool negative = value.picas < 0 || (value.picas >= 0 && value.points < 0);
    return negative ? -length : length;
}

} // namespace AUILib
