#ifndef COB_FLOATRECT_H
#define COB_FLOATRECT_H

#include "OB_GeometryTemplates.h"
#include "OB_Rect.h"

class COB_Matrix;

// A float rectangle with y growing upwards: normalised means left <= right and bottom <= top.
class COB_FloatRect
{
public:
    COB_FloatRect() : left(0), right(0), bottom(0), top(0) {}
    COB_FloatRect(float l, float r, float b, float t) : left(l), right(r), bottom(b), top(t) {}
    // The y sense flips: the integer rectangle's top becomes bottom.
    explicit COB_FloatRect(const OB_RECT& rect);

    void Normalize();
    // Normalises this first; an empty result is all 0.
    void Intersect(const COB_FloatRect& other);
    void Union(const COB_FloatRect& other);
    // The bounding box of the transformed corners.
    void Transform(const COB_Matrix* pMatrix);
    // This minus s as up to four rectangles stored in pRects (room for 4); s is normalised in place.
    // (Substract4 and GetOutterRect keep the interface's spelling: callers use them as they stand.)
    int Substract4(COB_FloatRect& s, COB_FloatRect* pRects);

    // Integer rectangles (y downwards, normalised): the smallest holding this, the largest inside it,
    // and the one of the same integer size closest to it. Values beyond the int range saturate.
    OB_RECT GetOutterRect() const;
    OB_RECT GetInnerRect() const;
    OB_RECT GetClosestRect() const;

    // Edges inclusive; both rectangles are taken normalised.
    bool Contains(const COB_FloatRect& other) const;
    bool Contains(float x, float y) const;
    // Grows to take in the point (no normalising first).
    void UpdateRect(float x, float y);
    // The box of the points; all 0 without points, the first point only for a count below 2.
    static COB_FloatRect GetBBox(const COB_PSVTemplate<float>* pPoints, int nPoints);

    float left;
    float right;
    float bottom;
    float top;
};

#endif
