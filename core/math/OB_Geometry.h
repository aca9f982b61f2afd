#ifndef OB_GEOMETRY_H
#define OB_GEOMETRY_H

class COB_FloatRect;

// An integral value as int: NaN gives 0 and values beyond the int range the nearest limit.
int OB_SaturatedInt(double value);

// The overlap of [low1, high1] and [low2, high2]; false (outputs untouched) when they only touch or miss.
bool GetIntersection(float low1, float high1, float low2, float high2, float& interlow, float& interhigh);

// Whether two rectangles lie next to each other: side by side (alignment 0) or one above the other
// (alignment 1), their centres and extents across that direction within alignTolerance, and the gap
// between them within distanceTolerance. A rectangle holding the other is adjacent to it.
bool OB_IsRectAdjacent(const COB_FloatRect& r1, const COB_FloatRect& r2, float alignTolerance,
                       float distanceTolerance, int alignment);

#endif
