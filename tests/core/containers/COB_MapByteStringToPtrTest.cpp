#include "COB_MapByteStringToPtr.h"

#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

void* Value(intptr_t v)
{
    return reinterpret_cast<void*>(v);
}

TEST(COB_MapByteStringToPtr, HashKey)
{
    COB_MapByteStringToPtr map;
    EXPECT_EQ(map.HashKey("ab"), 3105u);
    EXPECT_EQ(map.HashKey(""), 0u);
    EXPECT_EQ(map.HashKey(COB_ByteStringC("\xE9", 1)), 0xE9u); // bytes count unsigned here
}

TEST(COB_MapByteStringToPtr, KeysAreOwnedCopiesComparedByBytes)
{
    xmltest::CountingAllocator allocator;
    {
        COB_MapByteStringToPtr map(10, allocator.get());
        char buffer[] = "alpha";
        map[COB_ByteStringC(buffer)] = Value(1);
        buffer[0] = 'A'; // the map kept its own copy
        map[COB_ByteStringC("a\0b", 3)] = Value(2);
        map[COB_ByteStringC("a\0c", 3)] = Value(3);
        map[""] = Value(4);
        void* v = nullptr;
        EXPECT_TRUE(map.Lookup("alpha", v));
        EXPECT_EQ(v, Value(1));
        EXPECT_FALSE(map.Lookup("Alpha", v));
        EXPECT_TRUE(map.Lookup(COB_ByteStringC("a\0c", 3), v));
        EXPECT_EQ(v, Value(3));
        EXPECT_TRUE(map.Lookup("", v));
        EXPECT_EQ(v, Value(4));
        EXPECT_EQ(map.GetCount(), 4);
        EXPECT_TRUE(map.RemoveKey(COB_ByteStringC("a\0b", 3)));
        EXPECT_FALSE(map.Lookup(COB_ByteStringC("a\0b", 3), v));
        EXPECT_EQ(map.GetCount(), 3);
    }
    EXPECT_EQ(allocator.live, 0); // keys released with the map
}

TEST(COB_MapByteStringToPtr, GrowthKeepsBucketsAndIterationVisitsAll)
{
    COB_MapByteStringToPtr map;
    std::map<std::string, intptr_t> expected;
    for (intptr_t i = 0; i < 50000; ++i) {
        std::string key = "key/" + std::to_string(i * 7919);
        map[COB_ByteStringC(key.c_str())] = Value(i);
        expected[key] = i;
    }
    EXPECT_EQ(map.GetHashTableSize(), 65536u); // past the old 16384 bucket cap
    std::map<std::string, intptr_t> seen;
    uint32_t lastBucket = 0;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        COB_MapByteStringToPtr::CAssoc* assoc = map.GetCurrentAssoc(pos);
        uint32_t bucket = 0;
        EXPECT_EQ(map.GetAssocAt(assoc->key, bucket), assoc);
        ASSERT_EQ(assoc->nHashValue, bucket);
        ASSERT_GE(bucket, lastBucket);
        lastBucket = bucket;
        seen[std::string(assoc->key.c_str(), assoc->key.GetLength())] = reinterpret_cast<intptr_t>(assoc->value);
    }
    EXPECT_EQ(seen, expected);

    pos = map.GetStartPosition();
    COB_ByteString key;
    void* value = nullptr;
    map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(expected[std::string(key.c_str())], reinterpret_cast<intptr_t>(value));
    pos = map.GetStartPosition();
    EXPECT_EQ(map.GetNextValue(pos), value);
}

TEST(COB_MapByteStringToPtr, InitHashTableDropsTheEntriesAndKeepsTheCount)
{
    // Meant for an empty map; on a filled one the entries are dropped (their keys released, which
    // the sanitizer build checks) while the count stays as it was.
    COB_MapByteStringToPtr map;
    for (const char* key : {"one", "two", "a key long enough to own a buffer of its own"})
        map[key] = Value(1);
    map.InitHashTable(64, false);
    EXPECT_EQ(map.GetHashTableSize(), 64u);
    EXPECT_EQ(map.GetCount(), 3);
    void* v = nullptr;
    EXPECT_FALSE(map.Lookup("one", v));
    map["three"] = Value(3);
    EXPECT_TRUE(map.Lookup("three", v));
    EXPECT_EQ(v, Value(3));
    uint32_t bucket = 0;
    EXPECT_EQ(map.GetAssocAt("three", bucket)->nHashValue, bucket);
    EXPECT_LT(bucket, 64u);
}

TEST(COB_MapByteStringToPtr, FailuresStoreNothingAndLeakNothing)
{
    xmltest::CountingAllocator allocator;
    {
        COB_MapByteStringToPtr map(1, allocator.get());
        map["one"] = Value(1);
        // Each entry needs a block of its own: a refused block stores nothing.
        for (long allowed = 0; allowed < 2; ++allowed) {
            allocator.failAfter = allocator.total + allowed;
            map["two"] = Value(2);
            map["three"] = Value(3);
            EXPECT_EQ(map.GetCount(), allowed == 0 ? 1 : 2);
        }
        allocator.failAfter = -1;
        EXPECT_EQ(map.RemoveKey("one"), true);
        map.RemoveAll();
        EXPECT_EQ(allocator.live, 0);
        EXPECT_FALSE(map.RemoveKey("one"));
    }
    EXPECT_EQ(allocator.live, 0);
}

} // namespace
