#include "COB_FloatRect.h"
#include "COB_Matrix.h"
#include "OB_Geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

void ExpectRect(const OB_RECT& r, int left, int top, int right, int bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

void ExpectRect(const COB_FloatRect& r, float left, float right, float bottom, float top)
{
    EXPECT_FLOAT_EQ(r.left, left);
    EXPECT_FLOAT_EQ(r.right, right);
    EXPECT_FLOAT_EQ(r.bottom, bottom);
    EXPECT_FLOAT_EQ(r.top, top);
}

} // namespace

TEST(COB_FloatRect, FromIntegerRectFlipsTheYSense)
{
    ExpectRect(COB_FloatRect(OB_RECT{0, 10, 5, 20}), 0, 5, 10, 20);
}

TEST(COB_FloatRect, IntersectUnionContains)
{
    COB_FloatRect r(10, 0, 10, 0);
    r.Intersect(COB_FloatRect(5, 20, 20, 5));
    ExpectRect(r, 5, 10, 5, 10);
    COB_FloatRect miss(0, 1, 0, 1);
    miss.Intersect(COB_FloatRect(2, 3, 2, 3));
    ExpectRect(miss, 0, 0, 0, 0);
    COB_FloatRect u(0, 1, 0, 1);
    u.Union(COB_FloatRect(3, -2, 5, 4));
    ExpectRect(u, -2, 3, 0, 5);

    const COB_FloatRect box(10, 0, 10, 0); // taken normalised
    EXPECT_TRUE(box.Contains(COB_FloatRect(0, 10, 0, 10)));
    EXPECT_FALSE(box.Contains(COB_FloatRect(0, 10.5f, 0, 10)));
    EXPECT_TRUE(box.Contains(10, 0));
    EXPECT_FALSE(box.Contains(10.01f, 0));

    COB_FloatRect grow(1, 1, 1, 1);
    grow.UpdateRect(-1, 3);
    ExpectRect(grow, -1, 1, 1, 3);
    const COB_PSVTemplate<float> points[] = {{2, 3}, {-1, 5}, {4, -2}};
    ExpectRect(COB_FloatRect::GetBBox(points, 3), -1, 4, -2, 5);
    ExpectRect(COB_FloatRect::GetBBox(points, 1), 2, 2, 3, 3);
    ExpectRect(COB_FloatRect::GetBBox(points, 0), 0, 0, 0, 0);
}

TEST(COB_FloatRect, Substract4)
{
    COB_FloatRect outer(0, 10, 0, 10);
    COB_FloatRect middle(3, 6, 3, 6);
    COB_FloatRect pieces[4];
    ASSERT_EQ(outer.Substract4(middle, pieces), 4);
    ExpectRect(pieces[0], 0, 3, 0, 10);
    ExpectRect(pieces[1], 3, 10, 6, 10);
    ExpectRect(pieces[2], 6, 10, 0, 6);
    ExpectRect(pieces[3], 3, 6, 0, 3);

    COB_FloatRect cover(10, -5, 20, -5); // normalised in place
    EXPECT_EQ(outer.Substract4(cover, pieces), 0);
    ExpectRect(cover, -5, 10, -5, 20);
}

TEST(COB_FloatRect, IntegerRectangles)
{
    const COB_FloatRect r(0.5f, 2.5f, 0.5f, 2.5f);
    ExpectRect(r.GetOutterRect(), 0, 0, 3, 3);
    ExpectRect(r.GetInnerRect(), 1, 1, 2, 2);
    // Closest: the same rounded-up size, placed where the ends err least.
    ExpectRect(COB_FloatRect(0.2f, 2.1f, 0.9f, 3.2f).GetClosestRect(), 0, 1, 2, 4);
    ExpectRect(COB_FloatRect(0.8f, 2.7f, -1.2f, 0.7f).GetClosestRect(), 1, -1, 3, 1);
}

// Sides beyond the int range saturate instead of overflowing the conversion.
TEST(COB_FloatRect, IntegerRectanglesSaturate)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const COB_FloatRect huge(-3e9f, 3e9f, -1e30f, 1e30f);
    ExpectRect(huge.GetOutterRect(), INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    ExpectRect(huge.GetInnerRect(), INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    ExpectRect(huge.GetClosestRect(), INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    ExpectRect(COB_FloatRect(4e9f, 5e9f, -5e9f, -4e9f).GetInnerRect(), INT_MAX, INT_MIN, INT_MAX, INT_MIN);
    ExpectRect(COB_FloatRect(nan, 1, nan, 1).GetOutterRect(), 0, 0, 1, 1);
    ExpectRect(COB_FloatRect(2e9f, 2.2e9f, 0, 1).GetClosestRect(), 2000000000, 0, INT_MAX, 1);
}

TEST(COB_FloatRect, TransformTakesTheBoundingBox)
{
    COB_Matrix rotate;
    rotate.Rotate(static_cast<float>(M_PI / 2));
    COB_FloatRect r(0, 2, 0, 1);
    r.Transform(&rotate);
    EXPECT_NEAR(r.left, -1, 1e-6);
    EXPECT_NEAR(r.right, 0, 1e-6);
    EXPECT_NEAR(r.bottom, 0, 1e-6);
    EXPECT_NEAR(r.top, 2, 1e-6);
}

TEST(OB_Geometry, GetIntersection)
{
    float low = -1;
    float high = -1;
    EXPECT_FALSE(GetIntersection(0, 1, 1, 2, low, high)); // touching is no overlap
    EXPECT_FALSE(GetIntersection(2, 3, 0, 1, low, high));
    EXPECT_EQ(low, -1);
    EXPECT_TRUE(GetIntersection(0, 5, 3, 8, low, high));
    EXPECT_EQ(low, 3);
    EXPECT_EQ(high, 5);
}

TEST(OB_Geometry, RectAdjacency)
{
    const COB_FloatRect left(0, 10, 0, 5);
    const COB_FloatRect right(11, 20, 0, 5);
    const COB_FloatRect below(0, 10, -7, -1);
    struct Case
    {
        COB_FloatRect r1, r2;
        float align, distance;
        int alignment;
        bool adjacent;
    } const cases[] = {
        {left, right, 0, 1, 0, true},
        {left, right, 0, 0.5f, 0, false},
        {left, right, 0, 1, 2, false},
        {left, right, 0, 1, 1, false},                           // not one above the other
        {left, below, 0, 1, 1, true},
        {left, below, 0, 0.9f, 1, false},
        {left, COB_FloatRect(12, 20, 1, 6), 0.5f, 5, 0, false},  // centres 1 apart
        {left, COB_FloatRect(12, 20, 1, 6), 1, 5, 0, true},
        {left, COB_FloatRect(2, 3, 2, 3), 0, 0, 0, true},        // one holds the other
        {left, right, -1, 1, 0, false},                          // negative tolerance
        {COB_FloatRect(10, 0, 0, 5), right, 0, 1, 0, false},     // not normalised
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OB_IsRectAdjacent(c.r1, c.r2, c.align, c.distance, c.alignment), c.adjacent)
            << c.r2.left << " " << c.align << " " << c.distance << " " << c.alignment;
    }
}
