#include "OB_Rect.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

void ExpectRect(const OB_RECT& r, int left, int top, int right, int bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

} // namespace

TEST(OB_RECT, NormalizeIntersectUnion)
{
    OB_RECT r = {10, 20, 0, 5};
    r.Normalize();
    ExpectRect(r, 0, 5, 10, 20);

    OB_RECT a = {0, 0, 10, 10};
    a.Intersect({15, 15, 5, 5}); // the other side is taken whatever its orientation
    ExpectRect(a, 5, 5, 10, 10);
    OB_RECT disjoint = {0, 0, 10, 10};
    disjoint.Intersect({20, 20, 30, 30});
    ExpectRect(disjoint, 0, 0, 0, 0);
    OB_RECT flipped = {10, 10, 0, 0}; // normalised before intersecting
    flipped.Intersect({5, 5, 20, 20});
    ExpectRect(flipped, 5, 5, 10, 10);

    OB_RECT u = {10, 10, 0, 0};
    u.Union({30, -5, 20, 15});
    ExpectRect(u, 0, -5, 30, 15);
}

TEST(OB_RECT, ValidAtTheLimits)
{
    struct Case
    {
        OB_RECT rect;
        bool valid;
    } const cases[] = {
        {{INT_MIN, 0, 1, 0}, false},
        {{INT_MIN, 0, -1, 0}, true},
        {{0, INT_MIN, 0, INT_MAX}, false},
        {{INT_MAX, 0, INT_MIN, 0}, false},
        {{INT_MAX, 0, -1, 0}, true},
        {{-5, -5, 5, 5}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rect.Valid(), c.valid) << c.rect.left << "," << c.rect.top << "," << c.rect.right << ","
                                           << c.rect.bottom;
}
