#include "COB_CMapDWordToDWord.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace {

std::vector<std::pair<uint32_t, uint32_t>> Pairs(const COB_CMapDWordToDWord& map)
{
    std::vector<std::pair<uint32_t, uint32_t>> out;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        uint32_t k = 0, v = 0;
        map.GetNextAssoc(pos, k, v);
        out.emplace_back(k, v);
    }
    return out;
}

TEST(COB_CMapDWordToDWord, SortedUniqueUnsignedKeys)
{
    COB_CMapDWordToDWord map;
    uint32_t v = 0;
    EXPECT_FALSE(map.Lookup(1, v));
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    map.SetAt(5, 'a');
    map.SetAt(1, 'b');
    map.SetAt(3, 'c');
    map.SetAt(3, 'd');
    EXPECT_EQ(Pairs(map), (std::vector<std::pair<uint32_t, uint32_t>>{{1, 'b'}, {3, 'd'}, {5, 'a'}}));
    map.SetAt(0, 'x');
    map.SetAt(0x80000001u, 'y');
    EXPECT_TRUE(map.Lookup(0x80000001u, v));
    EXPECT_EQ(v, uint32_t('y'));
    EXPECT_FALSE(map.Lookup(2, v));
    EXPECT_TRUE(map.EstimateSize(1000, 16));
    EXPECT_FALSE(map.EstimateSize(0x20000000u, 0));
}

TEST(COB_CMapDWordToDWord, AgreesWithStdMap)
{
    std::mt19937 random(7);
    COB_CMapDWordToDWord map;
    std::map<uint32_t, uint32_t> expected;
    for (int i = 0; i < 3000; ++i) {
        uint32_t key = random() % 2000 + (i % 3 == 0 ? 0xFFFFF000u : 0);
        map.SetAt(key, static_cast<uint32_t>(i));
        expected[key] = static_cast<uint32_t>(i);
    }
    const std::vector<std::pair<uint32_t, uint32_t>> sorted(expected.begin(), expected.end());
    EXPECT_EQ(Pairs(map), sorted);
    for (const auto& [key, value] : expected) {
        uint32_t v = 0;
        ASSERT_TRUE(map.Lookup(key, v));
        ASSERT_EQ(v, value);
    }
}

} // namespace
