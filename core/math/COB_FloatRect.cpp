#include "COB_FloatRect.h"

#include "COB_Matrix.h"
#include "OB_Geometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

COB_FloatRect::COB_FloatRect(const OB_RECT& rect)
    : left(static_cast<float>(rect.left)), right(static_cast<float>(rect.right)),
      bottom(static_cast<float>(rect.top)), top(static_cast<float>(rect.bottom))
{
}

void COB_FloatRect::Normalize()
{
    if (left > right)
        std::swap(left, right);
    if (bottom > top)
        std::swap(bottom, top);
}

void COB_FloatRect::Intersect(const COB_FloatRect& other)
{
    Normalize();
    left = std::max(left, std::min(other.left, other.right));
    bottom = std::max(bottom, std::min(other.bottom, other.top));
    right = std::min(right, std::max(other.left, other.right));
    top = std::min(top, std::max(other.bottom, other.top));
    if (left > right || bottom > top)
        left = right = bottom = top = 0;
}

void COB_FloatRect::Union(const COB_FloatRect& other)
{
    Normalize();
    left = std::min({left, other.left, other.right});
    bottom = std::min({bottom, other.bottom, other.top});
    right = std::max({right, other.left, other.right});
    top = std::max({top, other.bottom, other.top});
}

void COB_FloatRect::Transform(const COB_Matrix* pMatrix)
{
    if (pMatrix)
        pMatrix->TransformRect(left, right, top, bottom);
}

int COB_FloatRect::Substract4(COB_FloatRect& s, COB_FloatRect* pRects)
{
    Normalize();
    s.Normalize();
    COB_FloatRect pieces[4];
    int count = 0;
    if (s.left > left)
        pieces[count++] = COB_FloatRect(left, s.left, bottom, top);
    if (right > s.left && top > s.top)
        pieces[count++] = COB_FloatRect(s.left, right, s.top, top);
    if (s.top > bottom && right > s.right)
        pieces[count++] = COB_FloatRect(s.right, right, bottom, s.top);
    if (s.bottom > bottom)
        pieces[count++] = COB_FloatRect(s.left, s.right, bottom, s.bottom);
    for (int i = 0; i < count; ++i) {
        pieces[i].Intersect(*this);
        pRects[i] = pieces[i];
    }
    return count;
}

OB_RECT COB_FloatRect::GetOutterRect() const
{
    OB_RECT rect;
    rect.left = OB_SaturatedInt(std::floor(left));
    rect.top = OB_SaturatedInt(std::floor(bottom));
    rect.right = OB_SaturatedInt(std::ceil(right));
    rect.bottom = OB_SaturatedInt(std::ceil(top));
    rect.Normalize();
    return rect;
}

OB_RECT COB_FloatRect::GetInnerRect() const
{
    OB_RECT rect;
    rect.left = OB_SaturatedInt(std::ceil(left));
    rect.right = OB_SaturatedInt(std::floor(right));
    rect.top = OB_SaturatedInt(std::ceil(bottom));
    rect.bottom = OB_SaturatedInt(std::floor(top));
    rect.Normalize();
    return rect;
}

namespace {

// The integer range of the same rounded-up length whose ends lie closest to f1 -> f2. Worked in
// double so that neither the length nor the end can overflow before it saturates.
void MatchRange(float f1, float f2, int& start, int& end)
{
    const double length = std::ceil(static_cast<double>(f2) - f1);
    const double i1 = std::floor(f1);
    const double i2 = std::ceil(f1);
    const double error1 = (f1 - i1) + std::fabs(f2 - i1 - length);
    const double error2 = (i2 - f1) + std::fabs(f2 - i2 - length);
    const double first = error1 > error2 ? i2 : i1;
    start = OB_SaturatedInt(first);
    end = OB_SaturatedInt(first + length);
}

} // namespace

OB_RECT COB_FloatRect::GetClosestRect() const
{
    OB_RECT rect;
    MatchRange(left, right, rect.left, rect.right);
    MatchRange(bottom, top, rect.top, rect.bottom);
    rect.Normalize();
    return rect;
}

bool COB_FloatRect::Contains(const COB_FloatRect& other) const
{
    COB_FloatRect outer = *this;
    COB_FloatRect inner = other;
    outer.Normalize();
    inner.Normalize();
    return inner.left >= outer.left && inner.right <= outer.right && inner.bottom >= outer.bottom &&
           inner.top <= outer.top;
}

bool COB_FloatRect::Contains(float x, float y) const
{
    return std::min(left, right) <= x && x <= std::max(left, right) && std::min(bottom, top) <= y &&
           y <= std::max(bottom, top);
}

void COB_FloatRect::UpdateRect(float x, float y)
{
    left = std::min(left, x);
    right = std::max(right, x);
    bottom = std::min(bottom, y);
    top = std::max(top, y);
}

COB_FloatRect COB_FloatRect::GetBBox(const COB_PSVTemplate<float>* pPoints, int nPoints)
{
    if (!pPoints || nPoints <= 0)
        return COB_FloatRect();
    COB_FloatRect box(pPoints[0].x, pPoints[0].x, pPoints[0].y, pPoints[0].y);
    for (int i = 1; i < nPoints; ++i)
        box.UpdateRect(pPoints[i].x, pPoints[i].y);
    return box;
}
