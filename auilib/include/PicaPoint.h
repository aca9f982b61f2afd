#pragma once

namespace AUILib {

// A length in picas and points; 12 points make one pica.
struct PicaPoint
{
    long long picas = 0;
    double points = 0.0;
};

// Twelve points and more carry into the picas (away from zero for a negative
// length).
PicaPoint NormalizePicaPoint(PicaPoint value);

// The length in picas: |picas| + |points| / 12, negative when the picas are, or
// when there are no negative picas and the points are negative.
double PicaPointToPicas(PicaPoint value);

inline bool operator==(const PicaPoint &a, const PicaPoint &b)
{
    return a.picas == b.picas && a.points == b.points;
}

} // namespace AUILib
