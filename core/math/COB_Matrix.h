#ifndef COB_MATRIX_H
#define COB_MATRIX_H

#include "OB_GeometryTemplates.h"
#include "OB_Rect.h"

class COB_FloatRect;

// A 2-D affine matrix mapping (x, y) to (a*x + c*y + e, b*x + d*y + f).
//
// Operations combining a second matrix M take bPrepended: false gives this x M (M applied after
// this), true gives M x this (M applied before this). Integer results are rounded halves away from
// zero and saturate at the int limits.
class COB_Matrix
{
public:
    COB_Matrix() : a(1), b(0), c(0), d(1), e(0), f(0) {}
    COB_Matrix(float a1, float b1, float c1, float d1, float e1, float f1) : a(a1), b(b1), c(c1), d(d1), e(e1), f(f1) {}

    void SetIdentity() { Set(1, 0, 0, 1, 0, 0); }
    void Set(float a1, float b1, float c1, float d1, float e1, float f1);
    void Set(const float n[6]);
    // This becomes the inverse of m (m may be this); unchanged when m's determinant is exactly 0.
    void SetReverse(const COB_Matrix& m);

    void Concat(float a1, float b1, float c1, float d1, float e1, float f1, bool bPrepended = false);
    void Concat(const COB_Matrix& m, bool bPrepended = false);
    // Concat with the inverse of m; the identity stands in for a matrix without one.
    void ConcatInverse(const COB_Matrix& m, bool bPrepended = false);

    bool IsInvertible() const;
    bool Is90Rotated() const;
    bool IsScaled() const;

    void Translate(float x, float y, bool bPrepended = false);
    void Scale(float sx, float sy, bool bPrepended = false);
    void Rotate(float radians, bool bPrepended = false);
    void RotateAt(float radians, float dx, float dy, bool bPrepended = false);
    void Shear(float alphaRadians, float betaRadians, bool bPrepended = false);
    // Maps src onto dest; an axis of src narrower than 0.001 keeps scale 1.
    void MatchRect(const COB_FloatRect& dest, const COB_FloatRect& src);

    float GetXUnit() const;
    float GetYUnit() const;
    float GetUnitArea() const;
    void GetUnitParallelogram(COB_PRLTemplate<float>& prl) const;
    void GetUnitRect(COB_RTemplate<float>& rect) const;
    COB_FloatRect GetUnitRect() const;

    void TransformPoint(float& x, float& y) const;
    void TransformPoint(int& x, int& y) const;
    void TransformPoints(COB_PSVTemplate<float>* points, int n) const;
    void TransformPoints(COB_PSVTemplate<int>* points, int n) const;
    void TransformVector(COB_VTemplate<float>& v) const;
    void TransformVector(COB_VTemplate<int>& v) const;
    float TransformXDistance(float dx) const;
    int TransformXDistance(int dx) const;
    float TransformYDistance(float dy) const;
    int TransformYDistance(int dy) const;
    float TransformDistance(float dx, float dy) const;
    int TransformDistance(int dx, int dy) const;
    float TransformDistance(float distance) const;
    // The bounding box of the four transformed corners: left/right the x extremes, bottom/top the y ones.
    void TransformRect(float& left, float& right, float& top, float& bottom) const;
    void TransformRect(COB_RTemplate<float>& rect) const;
    void TransformRect(COB_RTemplate<int>& rect) const;
    // The result is y-up: top holds the greater y.
    void TransformRect(OB_RECT& rect) const;
    void TransformRoundRect(COB_RRTemplate<float>& rect) const;
    void TransformRoundRect(COB_RRTemplate<int>& rect) const;
    void TransformParallelogram(COB_PRLTemplate<float>& prl) const;
    void TransformParallelogram(COB_PRLTemplate<int>& prl) const;

    float a;
    float b;
    float c;
    float d;
    float e;
    float f;
};

#endif
