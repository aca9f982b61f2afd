#include "COB_Matrix.h"

#include "COB_FloatRect.h"
#include "OB_Round.h"

#include <algorithm>
#include <cmath>

namespace {

// this x m in the order of the fields: m applied after this.
COB_Matrix Product(const COB_Matrix& t, const COB_Matrix& m)
{
    return COB_Matrix(t.a * m.a + t.b * m.c, t.a * m.b + t.b * m.d, t.c * m.a + t.d * m.c, t.c * m.b + t.d * m.d,
                      t.e * m.a + t.f * m.c + m.e, t.e * m.b + t.f * m.d + m.f);
}

} // namespace

void COB_Matrix::Set(float a1, float b1, float c1, float d1, float e1, float f1)
{
    a = a1;
    b = b1;
    c = c1;
    d = d1;
    e = e1;
    f = f1;
}

void COB_Matrix::Set(const float n[6])
{
    Set(n[0], n[1], n[2], n[3], n[4], n[5]);
}

void COB_Matrix::SetReverse(const COB_Matrix& m)
{
    const COB_Matrix s = m; // m may be this
    const float det = s.a * s.d - s.b * s.c;
    if (det == 0)
        return;
    Set(s.d / det, s.b / -det, s.c / -det, s.a / det, (s.c * s.f - s.d * s.e) / det, (s.a * s.f - s.b * s.e) / -det);
}

void COB_Matrix::Concat(float a1, float b1, float c1, float d1, float e1, float f1, bool bPrepended)
{
    Concat(COB_Matrix(a1, b1, c1, d1, e1, f1), bPrepended);
}

void COB_Matrix::Concat(const COB_Matrix& m, bool bPrepended)
{
    const COB_Matrix other = m; // m may be this
    *this = bPrepended ? Product(other, *this) : Product(*this, other);
}

void COB_Matrix::ConcatInverse(const COB_Matrix& m, bool bPrepended)
{
    COB_Matrix inverse;
    inverse.SetReverse(m);
    Concat(inverse, bPrepended);
}

bool COB_Matrix::IsInvertible() const
{
    return std::fabs(a * d - b * c) >= 0.0001f;
}

bool COB_Matrix::Is90Rotated() const
{
    return std::fabs(b) > std::fabs(1000 * a) && std::fabs(c) > std::fabs(1000 * d);
}

bool COB_Matrix::IsScaled() const
{
    return std::fabs(a) > std::fabs(1000 * b) && std::fabs(d) > std::fabs(1000 * c);
}

void COB_Matrix::Translate(float x, float y, bool bPrepended)
{
    if (bPrepended) {
        e += a * x + c * y;
        f += b * x + d * y;
    } else {
        e += x;
        f += y;
    }
}

void COB_Matrix::Scale(float sx, float sy, bool bPrepended)
{
    a *= sx;
    d *= sy;
    if (bPrepended) {
        b *= sx;
        c *= sy;
    } else {
        b *= sy;
        c *= sx;
        e *= sx;
        f *= sy;
    }
}

void COB_Matrix::Rotate(float radians, bool bPrepended)
{
    const float cosine = std::cos(radians);
    const float sine = std::sin(radians);
    Concat(cosine, sine, -sine, cosine, 0, 0, bPrepended);
}

void COB_Matrix::RotateAt(float radians, float dx, float dy, bool bPrepended)
{
    Translate(dx, dy, bPrepended);
    Rotate(radians, bPrepended);
    Translate(-dx, -dy, bPrepended);
}

void COB_Matrix::Shear(float alphaRadians, float betaRadians, bool bPrepended)
{
    Concat(1, std::tan(alphaRadians), std::tan(betaRadians), 1, 0, 0, bPrepended);
}

void COB_Matrix::MatchRect(const COB_FloatRect& dest, const COB_FloatRect& src)
{
    const float width = src.left - src.right;
    const float height = src.bottom - src.top;
    a = std::fabs(width) < 0.001f ? 1 : (dest.left - dest.right) / width;
    d = std::fabs(height) < 0.001f ? 1 : (dest.bottom - dest.top) / height;
    e = dest.left - src.left * a;
    f = dest.bottom - src.bottom * d;
    b = 0;
    c = 0;
}

float COB_Matrix::GetXUnit() const
{
    if (b == 0)
        return std::fabs(a);
    if (a == 0)
        return std::fabs(b);
    return std::sqrt(a * a + b * b);
}

float COB_Matrix::GetYUnit() const
{
    if (c == 0)
        return std::fabs(d);
    if (d == 0)
        return std::fabs(c);
    return std::sqrt(c * c + d * d);
}

float COB_Matrix::GetUnitArea() const
{
    return std::fabs(a * d - b * c);
}

void COB_Matrix::GetUnitParallelogram(COB_PRLTemplate<float>& prl) const
{
    prl = COB_PRLTemplate<float>(e, f, a, b, c, d);
}

void COB_Matrix::GetUnitRect(COB_RTemplate<float>& rect) const
{
    rect = COB_RTemplate<float>(0, 0, 1, 1);
    TransformRect(rect);
}

COB_FloatRect COB_Matrix::GetUnitRect() const
{
    COB_FloatRect rect(0, 1, 0, 1);
    TransformRect(rect.left, rect.right, rect.top, rect.bottom);
    return rect;
}

void COB_Matrix::TransformPoint(float& x, float& y) const
{
    const float x0 = x;
    x = a * x0 + c * y + e;
    y = b * x0 + d * y + f;
}

void COB_Matrix::TransformPoint(int& x, int& y) const
{
    float fx = static_cast<float>(x);
    float fy = static_cast<float>(y);
    TransformPoint(fx, fy);
    x = OBSYS_round(fx);
    y = OBSYS_round(fy);
}

void COB_Matrix::TransformPoints(COB_PSVTemplate<float>* points, int n) const
{
    for (int i = 0; points && i < n; ++i)
        TransformPoint(points[i].x, points[i].y);
}

void COB_Matrix::TransformPoints(COB_PSVTemplate<int>* points, int n) const
{
    for (int i = 0; points && i < n; ++i)
        TransformPoint(points[i].x, points[i].y);
}

void COB_Matrix::TransformVector(COB_VTemplate<float>& v) const
{
    const float x = v.x;
    v.x = a * x + c * v.y;
    v.y = b * x + d * v.y;
}

void COB_Matrix::TransformVector(COB_VTemplate<int>& v) const
{
    COB_VTemplate<float> fv(static_cast<float>(v.x), static_cast<float>(v.y));
    TransformVector(fv);
    v.x = OBSYS_round(fv.x);
    v.y = OBSYS_round(fv.y);
}

float COB_Matrix::TransformXDistance(float dx) const
{
    const float x = a * dx;
    const float y = b * dx;
    return std::sqrt(x * x + y * y);
}

int COB_Matrix::TransformXDistance(int dx) const
{
    return OBSYS_round(TransformXDistance(static_cast<float>(dx)));
}

float COB_Matrix::TransformYDistance(float dy) const
{
    const float x = c * dy;
    const float y = d * dy;
    return std::sqrt(x * x + y * y);
}

int COB_Matrix::TransformYDistance(int dy) const
{
    return OBSYS_round(TransformYDistance(static_cast<float>(dy)));
}

float COB_Matrix::TransformDistance(float dx, float dy) const
{
    const float x = a * dx + c * dy;
    const float y = b * dx + d * dy;
    return std::sqrt(x * x + y * y);
}

int COB_Matrix::TransformDistance(int dx, int dy) const
{
    return OBSYS_round(TransformDistance(static_cast<float>(dx), static_cast<float>(dy)));
}

float COB_Matrix::TransformDistance(float distance) const
{
    return (GetXUnit() + GetYUnit()) * distance * 0.5f;
}

void COB_Matrix::TransformRect(float& left, float& right, float& top, float& bottom) const
{
    float xs[4] = {left, left, right, right};
    float ys[4] = {top, bottom, top, bottom};
    for (int i = 0; i < 4; ++i)
        TransformPoint(xs[i], ys[i]);
    left = *std::min_element(xs, xs + 4);
    right = *std::max_element(xs, xs + 4);
    bottom = *std::min_element(ys, ys + 4);
    top = *std::max_element(ys, ys + 4);
}

void COB_Matrix::TransformRect(COB_RTemplate<float>& rect) const
{
    float left = rect.left;
    float right = rect.left + rect.width;
    float top = rect.top;
    float bottom = rect.top + rect.height;
    TransformRect(left, right, top, bottom);
    // In origin-and-size form top is the smaller y.
    rect = COB_RTemplate<float>(left, bottom, right - left, top - bottom);
}

void COB_Matrix::TransformRect(COB_RTemplate<int>& rect) const
{
    COB_RTemplate<float> box(static_cast<float>(rect.left), static_cast<float>(rect.top),
                             static_cast<float>(rect.width), static_cast<float>(rect.height));
    TransformRect(box);
    rect = COB_RTemplate<int>(OBSYS_round(box.left), OBSYS_round(box.top), OBSYS_round(box.width),
                              OBSYS_round(box.height));
}

void COB_Matrix::TransformRect(OB_RECT& rect) const
{
    float left = static_cast<float>(rect.left);
    float right = static_cast<float>(rect.right);
    float top = static_cast<float>(rect.top);
    float bottom = static_cast<float>(rect.bottom);
    TransformRect(left, right, top, bottom);
    rect.left = OBSYS_round(left);
    rect.top = OBSYS_round(top);
    rect.right = OBSYS_round(right);
    rect.bottom = OBSYS_round(bottom);
}

void COB_Matrix::TransformRoundRect(COB_RRTemplate<float>& rect) const
{
    TransformRect(static_cast<COB_RTemplate<float>&>(rect));
    rect.xRadius = TransformXDistance(rect.xRadius);
    rect.yRadius = TransformYDistance(rect.yRadius);
}

void COB_Matrix::TransformRoundRect(COB_RRTemplate<int>& rect) const
{
    TransformRect(static_cast<COB_RTemplate<int>&>(rect));
    rect.xRadius = TransformXDistance(rect.xRadius);
    rect.yRadius = TransformYDistance(rect.yRadius);
}

void COB_Matrix::TransformParallelogram(COB_PRLTemplate<float>& prl) const
{
    TransformPoint(prl.x, prl.y);
    COB_VTemplate<float> edge1(prl.x1, prl.y1);
    COB_VTemplate<float> edge2(prl.x2, prl.y2);
    TransformVector(edge1);
    TransformVector(edge2);
    prl = COB_PRLTemplate<float>(prl.x, prl.y, edge1.x, edge1.y, edge2.x, edge2.y);
}

void COB_Matrix::TransformParallelogram(COB_PRLTemplate<int>& prl) const
{
    TransformPoint(prl.x, prl.y);
    COB_VTemplate<int> edge1(prl.x1, prl.y1);
    COB_VTemplate<int> edge2(prl.x2, prl.y2);
    TransformVector(edge1);
    TransformVector(edge2);
    prl = COB_PRLTemplate<int>(prl.x, prl.y, edge1.x, edge1.y, edge2.x, edge2.y);
}
