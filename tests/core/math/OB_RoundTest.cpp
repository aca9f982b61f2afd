#include "OB_Round.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(OBSYS_round, HalvesAwayFromZeroAndClamps)
{
    struct Case
    {
        double value;
        int expected;
    };
    const Case cases[] = {
        {0.0, 0},
        {0.49, 0},
        {0.5, 1},
        {-0.5, -1},
        {-0.49, 0},
        {2.5, 3},
        {-2.5, -3},
        {1e10, 2147483647},
        {2147483648.0, 2147483647},
        {2147483647.4, 2147483647},
        {2147483647.5, 2147483647},
        {2147483647.9, 2147483647},
        {-2147483647.5, -2147483647 - 1},
        {-2147483647.9, -2147483647 - 1},
        {-2147483648.0, -2147483647 - 1},
        {-1e10, -2147483647 - 1},
        {std::numeric_limits<double>::infinity(), 2147483647},
        {-std::numeric_limits<double>::infinity(), -2147483647 - 1},
        {std::nan(""), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OBSYS_round(c.value), c.expected) << c.value;
    EXPECT_EQ(OBSYS_round(1.5f), 2);
}

} // namespace
