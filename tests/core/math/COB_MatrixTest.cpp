#include "COB_Matrix.h"
#include "COB_Matrix_3by3.h"
#include "COB_FloatRect.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

void ExpectMatrix(const COB_Matrix& m, float a, float b, float c, float d, float e, float f)
{
    EXPECT_NEAR(m.a, a, 1e-5);
    EXPECT_NEAR(m.b, b, 1e-5);
    EXPECT_NEAR(m.c, c, 1e-5);
    EXPECT_NEAR(m.d, d, 1e-5);
    EXPECT_NEAR(m.e, e, 1e-4);
    EXPECT_NEAR(m.f, f, 1e-4);
}

const float kHalfPi = static_cast<float>(M_PI / 2);

} // namespace

TEST(COB_Matrix, ConcatOrder)
{
    // Scale by 2, then move by (10, 0): appended, the move comes after the scale.
    COB_Matrix m(2, 0, 0, 2, 0, 0);
    m.Concat(1, 0, 0, 1, 10, 0);
    float x = 1, y = 1;
    m.TransformPoint(x, y);
    EXPECT_FLOAT_EQ(x, 12);
    EXPECT_FLOAT_EQ(y, 2);
    // Prepended, the move comes first.
    COB_Matrix p(2, 0, 0, 2, 0, 0);
    p.Concat(COB_Matrix(1, 0, 0, 1, 10, 0), true);
    x = 1, y = 1;
    p.TransformPoint(x, y);
    EXPECT_FLOAT_EQ(x, 22);
    EXPECT_FLOAT_EQ(y, 2);
    // With itself.
    COB_Matrix s(1, 2, 3, 4, 5, 6);
    s.Concat(s);
    ExpectMatrix(s, 7, 10, 15, 22, 28, 40);
}

TEST(COB_Matrix, InverseAndSingularMatrices)
{
    COB_Matrix m(2, 1, 1, 3, 5, -7);
    COB_Matrix inverse;
    inverse.SetReverse(m);
    COB_Matrix product = m;
    product.Concat(inverse);
    ExpectMatrix(product, 1, 0, 0, 1, 0, 0);
    m.SetReverse(m); // in place
    ExpectMatrix(m, inverse.a, inverse.b, inverse.c, inverse.d, inverse.e, inverse.f);

    const COB_Matrix singular(1, 2, 2, 4, 3, 3);
    COB_Matrix kept(1, 2, 3, 4, 5, 6);
    kept.SetReverse(singular);
    ExpectMatrix(kept, 1, 2, 3, 4, 5, 6);
    kept.ConcatInverse(singular);
    ExpectMatrix(kept, 1, 2, 3, 4, 5, 6);
    EXPECT_FALSE(singular.IsInvertible());
    EXPECT_TRUE(COB_Matrix().IsInvertible());
}

TEST(COB_Matrix, RotateScaleTranslateShear)
{
    for (bool prepended : {false, true}) {
        COB_Matrix m;
        m.Rotate(kHalfPi, prepended);
        float x = 1, y = 0;
        m.TransformPoint(x, y);
        EXPECT_NEAR(x, 0, 1e-6);
        EXPECT_NEAR(y, 1, 1e-6);
        EXPECT_TRUE(m.Is90Rotated());
        EXPECT_FALSE(m.IsScaled());
    }
    // Prepended, the steps apply in reverse: a turn about (1, 1); appended, a turn about (-1, -1).
    COB_Matrix about;
    about.RotateAt(kHalfPi, 1, 1, true);
    float x = 2, y = 1;
    about.TransformPoint(x, y);
    EXPECT_NEAR(x, 1, 1e-5);
    EXPECT_NEAR(y, 2, 1e-5);
    COB_Matrix appended;
    appended.RotateAt(kHalfPi, 1, 1);
    x = 0, y = -1;
    appended.TransformPoint(x, y);
    EXPECT_NEAR(x, -1, 1e-5);
    EXPECT_NEAR(y, 0, 1e-5);

    COB_Matrix t(2, 0, 0, 3, 1, 1);
    t.Translate(10, 20);
    ExpectMatrix(t, 2, 0, 0, 3, 11, 21);
    t.Translate(1, 1, true);
    ExpectMatrix(t, 2, 0, 0, 3, 13, 24);
    t.Scale(2, 0.5f);
    ExpectMatrix(t, 4, 0, 0, 1.5f, 26, 12);
    EXPECT_TRUE(t.IsScaled());

    COB_Matrix shear;
    shear.Shear(static_cast<float>(M_PI / 4), 0);
    x = 1, y = 1;
    shear.TransformPoint(x, y);
    EXPECT_NEAR(x, 1, 1e-6);
    EXPECT_NEAR(y, 2, 1e-6);
}

TEST(COB_Matrix, MatchRectAndUnits)
{
    COB_Matrix m;
    m.MatchRect(COB_FloatRect(10, 30, 0, 50), COB_FloatRect(0, 2, 0, 5));
    ExpectMatrix(m, 10, 0, 0, 10, 10, 0);
    m.MatchRect(COB_FloatRect(10, 30, 0, 50), COB_FloatRect(4, 4, 0, 5)); // no width: scale 1
    EXPECT_FLOAT_EQ(m.a, 1);
    EXPECT_FLOAT_EQ(m.e, 6);

    const COB_Matrix r(0, 2, -3, 0, 0, 0);
    EXPECT_FLOAT_EQ(r.GetXUnit(), 2);
    EXPECT_FLOAT_EQ(r.GetYUnit(), 3);
    EXPECT_FLOAT_EQ(r.GetUnitArea(), 6);
    EXPECT_FLOAT_EQ(r.TransformDistance(2.0f), 5);
    EXPECT_FLOAT_EQ(COB_Matrix(3, 4, 0, 1, 0, 0).GetXUnit(), 5);
    const COB_FloatRect unit = r.GetUnitRect();
    EXPECT_FLOAT_EQ(unit.left, -3);
    EXPECT_FLOAT_EQ(unit.right, 0);
    EXPECT_FLOAT_EQ(unit.bottom, 0);
    EXPECT_FLOAT_EQ(unit.top, 2);
    COB_RTemplate<float> box;
    r.GetUnitRect(box);
    EXPECT_FLOAT_EQ(box.left, -3);
    EXPECT_FLOAT_EQ(box.top, 0);
    EXPECT_FLOAT_EQ(box.width, 3);
    EXPECT_FLOAT_EQ(box.height, 2);
    COB_PRLTemplate<float> prl;
    COB_Matrix(1, 2, 3, 4, 5, 6).GetUnitParallelogram(prl);
    EXPECT_EQ(prl.x, 5);
    EXPECT_EQ(prl.y2, 4);
}

TEST(COB_Matrix, Transforms)
{
    const COB_Matrix m(2, 0, 0, 3, 1, -1);
    COB_PSVTemplate<int> points[] = {{1, 1}, {-2, 0}};
    m.TransformPoints(points, 2);
    EXPECT_EQ(points[0], COB_PSVTemplate<int>(3, 2));
    EXPECT_EQ(points[1], COB_PSVTemplate<int>(-3, -1));
    m.TransformPoints(points, -1); // nothing
    EXPECT_EQ(points[0], COB_PSVTemplate<int>(3, 2));

    COB_VTemplate<float> v(1, 1);
    m.TransformVector(v);
    EXPECT_FLOAT_EQ(v.x, 2);
    EXPECT_FLOAT_EQ(v.y, 3);
    const COB_Matrix half(0.5f, 0, 0, 0.5f, 0, 0);
    COB_VTemplate<int> iv(5, -5);
    half.TransformVector(iv);
    EXPECT_EQ(iv.x, 3); // 2.5 rounds away from zero
    EXPECT_EQ(iv.y, -3);

    const COB_Matrix rot(0, 1, -1, 0, 0, 0);
    EXPECT_FLOAT_EQ(m.TransformXDistance(2.0f), 4);
    EXPECT_FLOAT_EQ(m.TransformYDistance(2.0f), 6);
    EXPECT_FLOAT_EQ(COB_Matrix(3, 0, 0, 4, 0, 0).TransformDistance(1.0f, 1.0f), 5);
    EXPECT_EQ(rot.TransformXDistance(7), 7);
    EXPECT_EQ(COB_Matrix(3, 0, 0, 4, 0, 0).TransformDistance(1, 1), 5);

    OB_RECT rect = {0, 0, 10, 20};
    COB_Matrix().TransformRect(rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 10);
    EXPECT_EQ(rect.bottom, 0);

    COB_RTemplate<float> fr(1, 2, 3, 4);
    rot.TransformRect(fr);
    EXPECT_FLOAT_EQ(fr.left, -6);
    EXPECT_FLOAT_EQ(fr.top, 1);
    EXPECT_FLOAT_EQ(fr.width, 4);
    EXPECT_FLOAT_EQ(fr.height, 3);
    COB_RRTemplate<int> rr(1, 2, 3, 4, 1, 2);
    m.TransformRoundRect(rr);
    EXPECT_EQ(rr.left, 3);
    EXPECT_EQ(rr.top, 5);
    EXPECT_EQ(rr.width, 6);
    EXPECT_EQ(rr.height, 12);
    EXPECT_EQ(rr.xRadius, 2);
    EXPECT_EQ(rr.yRadius, 6);

    COB_PRLTemplate<int> prl(1, 1, 1, 0, 0, 1);
    m.TransformParallelogram(prl);
    EXPECT_EQ(prl.x, 3);
    EXPECT_EQ(prl.y, 2);
    EXPECT_EQ(prl.x1, 2);
    EXPECT_EQ(prl.y1, 0);
    EXPECT_EQ(prl.x2, 0);
    EXPECT_EQ(prl.y2, 3);
}

// Integer results beyond the int range saturate; NaN gives 0.
TEST(COB_Matrix, IntegerResultsSaturate)
{
    const COB_Matrix big(1e10f, 0, 0, -1e10f, 0, 0);
    int x = 1, y = 1;
    big.TransformPoint(x, y);
    EXPECT_EQ(x, INT_MAX);
    EXPECT_EQ(y, INT_MIN);
    EXPECT_EQ(big.TransformXDistance(1), INT_MAX);
    EXPECT_EQ(big.TransformDistance(INT_MAX, INT_MAX), INT_MAX);
    OB_RECT rect = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    big.TransformRect(rect);
    EXPECT_EQ(rect.left, INT_MIN);
    EXPECT_EQ(rect.right, INT_MAX);
    COB_RTemplate<int> r(0, 0, INT_MAX, INT_MAX);
    big.TransformRect(r);
    EXPECT_EQ(r.width, INT_MAX);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(COB_Matrix(nan, 0, 0, 1, 0, 0).TransformXDistance(3), 0);
}

TEST(COB_Matrix_3by3, InverseMultiplyTransform)
{
    const COB_Matrix_3by3 m(2, 0, 1, 1, 3, 0, 0, 1, 4);
    const COB_Matrix_3by3 product = m.Multiply(m.Inverse());
    const float got[9] = {product.a, product.b, product.c, product.d, product.e,
                          product.f, product.g, product.h, product.i};
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR(got[k], k % 4 == 0 ? 1 : 0, 1e-6) << k;

    const COB_Matrix_3by3 singular(1, 2, 3, 2, 4, 6, 0, 0, 1);
    const COB_Matrix_3by3 zero = singular.Inverse();
    EXPECT_EQ(zero.a, 0);
    EXPECT_EQ(zero.e, 0);
    EXPECT_EQ(zero.i, 0);

    const COB_Vector_3by1 v = m.TransformVector({1, 2, 3});
    EXPECT_FLOAT_EQ(v.x, 5);
    EXPECT_FLOAT_EQ(v.y, 7);
    EXPECT_FLOAT_EQ(v.z, 14);
}
