#include "COB_ArrayTemplate.h"

#include <gtest/gtest.h>

namespace {

struct Point
{
    int x, y;
};

TEST(COB_ArrayTemplate, AddGrowsAndStores)
{
    COB_ArrayTemplate<Point> points;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(points.Add(Point{i, -i}), i);
    EXPECT_EQ(points.GetSize(), 10);
    EXPECT_EQ(points[9].y, -9);
    points.SetAt(3, Point{30, 31});
    EXPECT_EQ(points.GetAt(3).x, 30);
    EXPECT_EQ(points.ElementAt(3).y, 31);

    // Adding an element of the array itself while the block moves.
    COB_ArrayTemplate<int> ints;
    ints.Add(5);
    for (int i = 0; i < 20; ++i)
        ints.Add(ints[0]);
    EXPECT_EQ(ints[20], 5);
    EXPECT_EQ(ints.Find(5, 3), 3);
    EXPECT_EQ(ints.Find(6), -1);
    EXPECT_TRUE(ints.InsertAt(1, 9, 2));
    EXPECT_EQ(ints[2], 9);
    EXPECT_EQ(ints[3], 5);
}

using COB_ArrayTemplateDeathTest = ::testing::Test;

TEST(COB_ArrayTemplateDeathTest, OutOfRangeIndexReportsAndAborts)
{
    COB_ArrayTemplate<int> ints;
    ints.Add(1);
    ints.Add(2);
    EXPECT_DEATH(ints[2], "Invalid index:\n2\n");
    EXPECT_DEATH(ints.GetAt(-1), "Invalid index:\n-1\n");
    EXPECT_DEATH(ints.SetAt(7, 0), "Invalid index:\n7\n");
    COB_ArrayTemplate<int> empty;
    EXPECT_DEATH(empty.ElementAt(0), "Invalid index:\n0\n");
}

} // namespace
