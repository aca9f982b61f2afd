#include "COB_MapPtrToPtr.h"

#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

namespace {

void* Key(uintptr_t k)
{
    return reinterpret_cast<void*>(k);
}

TEST(COB_MapPtrToPtr, InsertLookupRemoveAndIterate)
{
    COB_MapPtrToPtr map;
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    void* value = Key(1);
    EXPECT_FALSE(map.Lookup(Key(8), value));
    EXPECT_FALSE(map.RemoveKey(Key(8)));
    EXPECT_EQ(map.GetValueAt(Key(8)), nullptr);

    for (uintptr_t k = 1; k <= 100; ++k)
        map[Key(k * 8)] = Key(k);
    EXPECT_EQ(map[Key(4000)], nullptr); // inserted with a null value
    EXPECT_EQ(map.GetCount(), 101);
    EXPECT_TRUE(map.Lookup(Key(80), value));
    EXPECT_EQ(value, Key(10));
    EXPECT_EQ(map.GetValueAt(Key(800)), Key(100));
    map[Key(80)] = Key(77);
    EXPECT_EQ(map.GetValueAt(Key(80)), Key(77));
    EXPECT_EQ(map.GetCount(), 101);
    EXPECT_TRUE(map.RemoveKey(Key(4000)));
    EXPECT_FALSE(map.RemoveKey(Key(4000)));

    // Every entry once, buckets ascending.
    std::set<void*> seen;
    uint32_t lastBucket = 0;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        void* k = nullptr;
        void* v = nullptr;
        map.GetNextAssoc(pos, k, v);
        EXPECT_TRUE(seen.insert(k).second);
        EXPECT_EQ(v, map.GetValueAt(k));
        uint32_t bucket = 0;
        EXPECT_NE(map.GetAssocAt(k, bucket), nullptr);
        EXPECT_GE(bucket, lastBucket);
        lastBucket = bucket;
    }
    EXPECT_EQ(seen.size(), 100u);
}

TEST(COB_MapPtrToPtr, TableDoublesAtLoadOneWithoutCap)
{
    COB_MapPtrToPtr map;
    for (uintptr_t k = 1; k <= 15; ++k)
        map[Key(k)] = nullptr;
    EXPECT_EQ(map.GetHashTableSize(), 16u);
    map[Key(16)] = nullptr;
    EXPECT_EQ(map.GetHashTableSize(), 32u);
    // A capped table would stay at 16384 buckets and turn every lookup into a long chain walk.
    for (uintptr_t k = 17; k <= 40000; ++k)
        map[Key(k * 16)] = Key(k);
    EXPECT_EQ(map.GetHashTableSize(), 65536u);
    for (uintptr_t k = 17; k <= 40000; ++k)
        ASSERT_EQ(map.GetValueAt(Key(k * 16)), Key(k));
}

TEST(COB_MapPtrToPtr, AlignedPointersSpreadOverTheBuckets)
{
    // Real heap blocks and a run of 64-byte-aligned addresses use most buckets, not a few.
    std::vector<std::unique_ptr<int>> blocks;
    COB_MapPtrToPtr heap, aligned;
    for (int i = 0; i < 4096; ++i) {
        blocks.emplace_back(new int(i));
        heap[blocks.back().get()] = nullptr;
        aligned[Key(0x7f0000000000 + static_cast<uintptr_t>(i) * 64)] = nullptr;
    }
    for (COB_MapPtrToPtr* map : {&heap, &aligned}) {
        std::vector<int> chain(map->GetHashTableSize());
        POSITION pos = map->GetStartPosition();
        while (pos) {
            uint32_t bucket = 0;
            map->GetAssocAt(map->GetCurrentAssoc(pos)->key, bucket);
            ++chain[bucket];
        }
        // Hashed at random, 4096 keys fill about 3200 of the 8192 buckets.
        EXPECT_GE(std::count_if(chain.begin(), chain.end(), [](int n) { return n > 0; }), 2500);
        EXPECT_LE(*std::max_element(chain.begin(), chain.end()), 12);
    }
}

TEST(COB_MapPtrToPtr, LastRemovalFreesEverythingAndTheTableSizeStays)
{
    xmltest::CountingAllocator allocator;
    {
        COB_MapPtrToPtr map(4, allocator.get());
        for (uintptr_t k = 1; k <= 20; ++k)
            map[Key(k)] = Key(k);
        EXPECT_EQ(map.GetHashTableSize(), 32u);
        for (uintptr_t k = 1; k <= 20; ++k)
            EXPECT_TRUE(map.RemoveKey(Key(k)));
        EXPECT_EQ(allocator.live, 0);
        EXPECT_EQ(map.GetStartPosition(), nullptr);
        map[Key(5)] = Key(6);
        EXPECT_EQ(map.GetHashTableSize(), 32u);
        EXPECT_EQ(allocator.live, 2); // the table and one block
        map.RemoveAll();
        EXPECT_EQ(allocator.live, 0);
        map[Key(5)] = Key(6);
    }
    EXPECT_EQ(allocator.live, 0);
}

TEST(COB_MapPtrToPtr, EntriesThatCannotBeMadeStoreNothing)
{
    xmltest::CountingAllocator allocator;
    COB_MapPtrToPtr map(10, allocator.get());
    allocator.failAfter = 0; // no table
    map[Key(1)] = Key(2);
    allocator.failAfter = 1; // a table but no block
    map[Key(3)] = Key(4);
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_EQ(map.GetValueAt(Key(1)), nullptr);
    EXPECT_EQ(map.GetValueAt(Key(3)), nullptr);

    COB_MapPtrToPtr noBlocks(0);
    noBlocks[Key(1)] = Key(2);
    EXPECT_EQ(noBlocks.GetCount(), 0);
    EXPECT_EQ(noBlocks.GetValueAt(Key(1)), nullptr);

    // A failed growth keeps the old table in use.
    allocator.failAfter = -1;
    COB_MapPtrToPtr full(100, allocator.get());
    for (uintptr_t k = 1; k <= 15; ++k)
        full[Key(k)] = Key(k);
    allocator.failAfter = allocator.total;
    full[Key(16)] = Key(16);
    EXPECT_EQ(full.GetHashTableSize(), 16u);
    for (uintptr_t k = 1; k <= 16; ++k)
        EXPECT_EQ(full.GetValueAt(Key(k)), Key(k));
}

TEST(COB_MapPtrToPtr, InitHashTable)
{
    COB_MapPtrToPtr map;
    map.InitHashTable(10, false);
    EXPECT_EQ(map.GetHashTableSize(), 10u);
    for (uintptr_t k = 1; k <= 10; ++k)
        map[Key(k)] = Key(k);
    EXPECT_EQ(map.GetHashTableSize(), 20u);
    map.RemoveAll();
    map.InitHashTable(0, true); // no bucket to hash into would divide by zero
    map[Key(3)] = Key(4);
    EXPECT_EQ(map.GetValueAt(Key(3)), Key(4));
}

} // namespace
