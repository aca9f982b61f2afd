#include "COB_CMapByteStringToPtr.h"

#include "OB_Hash.h"
#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace {

void* Value(intptr_t v)
{
    return reinterpret_cast<void*>(v);
}

std::vector<std::pair<std::string, intptr_t>> Contents(const COB_CMapByteStringToPtr& map)
{
    std::vector<std::pair<std::string, intptr_t>> out;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        COB_ByteString key;
        void* value = nullptr;
        map.GetNextAssoc(pos, key, value);
        out.emplace_back(std::string(key.c_str(), key.GetLength()), reinterpret_cast<intptr_t>(value));
    }
    return out;
}

TEST(COB_CMapByteStringToPtr, KeyCode)
{
    EXPECT_EQ(COB_CMapByteStringToPtr::KeyCode(""), 0u);
    // Low half from the string hash, bits 16-30 from the RS hash: "a" is 97 in both.
    EXPECT_EQ(COB_CMapByteStringToPtr::KeyCode("a"), 97u);
    uint32_t rs = 0, a = 63689;
    for (char c : std::string("\xE9t\xE9")) {
        rs = rs * a + static_cast<uint32_t>(static_cast<signed char>(c));
        a *= 378551u;
    }
    EXPECT_EQ(COB_CMapByteStringToPtr::KeyCode("\xE9t\xE9"),
              (OB_HashCode_String_GetA("\xE9t\xE9", 3, false) & 0xFFFF) | (rs & 0x7FFF0000));
    EXPECT_EQ(COB_CMapByteStringToPtr::KeyCode(std::string(300, '\xFF').c_str()) & 0x80000000u, 0u);
}

TEST(COB_CMapByteStringToPtr, SetAtRemoveAndReuseInPlace)
{
    xmltest::CountingAllocator allocator;
    {
        COB_CMapByteStringToPtr map(allocator.get());
        map.SetAt("x", Value(1));
        map.SetAt("x", Value(2));
        map.SetAt("twelve bytes", Value(3)); // 12 bytes: kept in a block of its own
        map.SetAt("z", Value(4));
        EXPECT_EQ(map.GetCount(), 3);
        EXPECT_EQ(Contents(map), (std::vector<std::pair<std::string, intptr_t>>{
                                     {"x", 2}, {"twelve bytes", 3}, {"z", 4}}));
        const long withLongKey = allocator.live;
        map.RemoveKey("twelve bytes");
        EXPECT_EQ(allocator.live, withLongKey - 1);
        map.RemoveKey("absent");
        map.SetAt("new", Value(5)); // takes the removed entry's place
        EXPECT_EQ(Contents(map), (std::vector<std::pair<std::string, intptr_t>>{{"x", 2}, {"new", 5}, {"z", 4}}));
        void* v = nullptr;
        EXPECT_FALSE(map.Lookup("twelve bytes", v));
        EXPECT_TRUE(map.Lookup("new", v));
        EXPECT_EQ(v, Value(5));

        map.AddValue("x", Value(6)); // appended, but lookups find the first
        EXPECT_EQ(map.GetCount(), 4);
        EXPECT_TRUE(map.Lookup("x", v));
        EXPECT_EQ(v, Value(2));

        for (const char* key : {"x", "new", "z", "x"})
            map.RemoveKey(key);
        EXPECT_EQ(map.GetCount(), 0);
        EXPECT_EQ(map.GetStartPosition(), nullptr);
        POSITION none = nullptr;
        EXPECT_EQ(map.GetNextValue(none), nullptr);
        map.SetAt("a much longer key than eleven", Value(7));
    }
    EXPECT_EQ(allocator.live, 0);
}

TEST(COB_CMapByteStringToPtr, KeysSharingACodeStayApart)
{
    // 31-bit codes: a few hundred thousand keys are bound to contain two that share one.
    std::unordered_map<uint32_t, std::string> byCode;
    std::string first, second;
    for (int i = 0; i < 2000000 && first.empty(); ++i) {
        std::string key = "k" + std::to_string(i);
        auto [it, fresh] = byCode.emplace(COB_CMapByteStringToPtr::KeyCode(key.c_str()), key);
        if (!fresh) {
            first = it->second;
            second = key;
        }
    }
    ASSERT_FALSE(first.empty());
    COB_CMapByteStringToPtr map;
    map.SetAt(first.c_str(), Value(1));
    map.SetAt(second.c_str(), Value(2));
    EXPECT_EQ(map.GetCount(), 2);
    void* v = nullptr;
    EXPECT_TRUE(map.Lookup(first.c_str(), v));
    EXPECT_EQ(v, Value(1));
    EXPECT_TRUE(map.Lookup(second.c_str(), v));
    EXPECT_EQ(v, Value(2));
    map.RemoveKey(second.c_str());
    EXPECT_TRUE(map.Lookup(first.c_str(), v));
    EXPECT_FALSE(map.Lookup(second.c_str(), v));
}

TEST(COB_CMapByteStringToPtr, LongKeysComeBackWhole)
{
    COB_CMapByteStringToPtr map;
    const std::vector<size_t> lengths = {12, 65534, 65535, 65536, 200000};
    for (size_t n : lengths) {
        std::string key(n, 'k');
        key.back() = 'e';
        map.SetAt(COB_ByteStringC(key.data(), static_cast<int>(n)), Value(static_cast<intptr_t>(n)));
    }
    auto contents = Contents(map);
    ASSERT_EQ(contents.size(), lengths.size());
    for (size_t i = 0; i < lengths.size(); ++i) {
        EXPECT_EQ(contents[i].first.size(), lengths[i]);
        EXPECT_EQ(contents[i].first.back(), 'e');
        EXPECT_EQ(contents[i].second, static_cast<intptr_t>(lengths[i]));
    }
}

TEST(COB_CMapByteStringToPtr, AKeyThatCannotBeCopiedIsNotStored)
{
    xmltest::CountingAllocator allocator;
    COB_CMapByteStringToPtr map(allocator.get());
    map.SetAt("short", Value(1));
    allocator.failAfter = allocator.total;
    map.SetAt("a key longer than eleven", Value(2));
    map.AddValue("another key longer than eleven", Value(3));
    map.SetAt("tiny", Value(4)); // the segment has room: no allocation needed
    EXPECT_EQ(Contents(map), (std::vector<std::pair<std::string, intptr_t>>{{"short", 1}, {"tiny", 4}}));

    // A full segment and no room for another: the key's block, already made, goes back.
    allocator.failAfter = -1;
    for (int i = 2; i < 16; ++i)
        map.SetAt(std::to_string(i).c_str(), Value(i));
    const long live = allocator.live;
    allocator.failAfter = allocator.total + 1; // the key's block, but no segment
    map.SetAt("a key longer than eleven", Value(2));
    allocator.failAfter = allocator.total + 1;
    map.AddValue("a key longer than eleven", Value(3));
    EXPECT_EQ(allocator.live, live);
    EXPECT_EQ(map.GetCount(), 16);
    void* v = nullptr;
    EXPECT_FALSE(map.Lookup("a key longer than eleven", v));
}

} // namespace
