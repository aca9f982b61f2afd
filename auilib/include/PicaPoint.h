#pragma once

namespace AUILib {

// A length in picas and points; 12 points make one pica.
struct PicaPoint
{
    long long picas = 0;
    double points = 0.0;
};

// Lengths are bounded at this many picas either way (whole picas stay exact
// in a double): a longer one, or an infinite one, saturates at the bound, and
// points that are not a number count as none.
constexpr long long kLargestPicas = 1000000000000000LL;

// `picas` truncated to whole picas within the bound; NaN gives 0.
long long BoundedPicas(double picas);

// Twelve points and more carry into the picas (away from zero for a negative
// length). The result is within the bound.
PicaPoint NormalizePicaPoint(PicaPoint value);

// The length in picas, within the bound: |picas| + |points| / 12, negative when the picas are, or
// when there are no negative picas and the points are negative.
double PicaPointToPicas(PicaPoint value);

inline bool operator==(const PicaPoint &a, const PicaPoint &b)
{
    return a.picas == b.picas && a.points == b.points;
}

} // namespace AUILib
