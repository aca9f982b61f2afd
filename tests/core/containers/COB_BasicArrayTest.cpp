#include "COB_BasicArray.h"
#include "COB_MemoryMgr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<int64_t> Values(const COB_BasicArray& a)
{
    std::vector<int64_t> out(a.GetSize());
    if (a.GetSize())
        std::memcpy(out.data(), a.GetData(), out.size() * sizeof(int64_t));
    return out;
}

void Fill(COB_BasicArray& a, std::initializer_list<int64_t> values)
{
    ASSERT_TRUE(a.SetSize(static_cast<int>(values.size()), -1));
    int i = 0;
    for (int64_t v : values)
        *static_cast<int64_t*>(a.GetDataPtr(i++)) = v;
}

TEST(COB_BasicArray, GrowthSequence)
{
    COB_BasicArray a(8, nullptr);
    struct Step
    {
        int size, growBy;
        int capacity;
    };
    // First allocation exact, then half the current size (at least 1), or the stored grow-by.
    const Step steps[] = {{3, -1, 3}, {4, -1, 4}, {5, -1, 6}, {6, -1, 6}, {7, -1, 9},
                          {2, -1, 9}, {10, -1, 10}, {11, 5, 15}, {16, -1, 20}, {40, -1, 40}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.size);
        ASSERT_TRUE(a.SetSize(s.size, s.growBy));
        EXPECT_EQ(a.GetSize(), s.size);
        EXPECT_EQ(a.GetCapacity(), s.capacity);
    }
    EXPECT_EQ(a.GetGrowBy(), 5);
}

TEST(COB_BasicArray, ExposedElementsReadZero)
{
    COB_BasicArray a(8, nullptr);
    Fill(a, {1, 2, 3, 4});
    ASSERT_TRUE(a.SetSize(2, -1));
    ASSERT_TRUE(a.SetSize(4, -1));
    EXPECT_EQ(Values(a), (std::vector<int64_t>{1, 2, 0, 0}));
    ASSERT_TRUE(a.SetSize(5, -1)); // grows by 2: the spare element is zero as well
    ASSERT_EQ(a.GetCapacity(), 6);
    EXPECT_EQ(static_cast<int64_t*>(a.GetData())[5], 0);
    ASSERT_TRUE(a.RemoveAt(0, 3));
    ASSERT_TRUE(a.SetSize(5, -1));
    EXPECT_EQ(Values(a), (std::vector<int64_t>{0, 0, 0, 0, 0}));
}

TEST(COB_BasicArray, InvalidSizeIsRefusedAndKeepsTheElements)
{
    for (int unit : {1, 8, 24}) {
        SCOPED_TRACE(unit);
        COB_BasicArray a(unit, nullptr);
        ASSERT_TRUE(a.SetSize(3, 2));
        std::memset(a.GetData(), 0x11, 3 * unit);
        EXPECT_FALSE(a.SetSize(-1, 0));
        EXPECT_FALSE(a.SetSize(0x10000000 / unit + 1, 0));
        EXPECT_EQ(a.GetSize(), 3);
        EXPECT_EQ(a.GetGrowBy(), 2);
        EXPECT_EQ(static_cast<uint8_t*>(a.GetData())[3 * unit - 1], 0x11);
    }
}

TEST(COB_BasicArray, LargeGrowByCannotWrapTheByteCount)
{
    COB_BasicArray a(16, nullptr);
    ASSERT_TRUE(a.SetSize(1, 0x7ffffff0));
    EXPECT_FALSE(a.SetSize(2, -1));
    EXPECT_EQ(a.GetSize(), 1);
    EXPECT_EQ(a.GetCapacity(), 1);
}

TEST(COB_BasicArray, SizeZeroFreesAndUnitSizeLimits)
{
    COB_BasicArray a(8, nullptr);
    Fill(a, {1, 2});
    EXPECT_TRUE(a.SetSize(0, -1));
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(a.GetCapacity(), 0);
    EXPECT_EQ(a.GetDataPtr(0), nullptr);
    for (int unit : {0x10000001, -1, 0})
        EXPECT_EQ(COB_BasicArray(unit, nullptr).GetUnitSize(), 4) << unit;
    EXPECT_EQ(COB_BasicArray(0x10000000, nullptr).GetUnitSize(), 0x10000000);
}

TEST(COB_BasicArray, InsertAndRemove)
{
    struct Case
    {
        const char* what;
        std::vector<int64_t> start;
        int index, count;
        bool ok;
        std::vector<int64_t> after;
        int returnedIndex; // element whose address InsertSpaceAt returns
    };
    const Case inserts[] = {
        {"middle", {1, 2, 3}, 1, 2, true, {1, 0, 0, 2, 3}, 1},
        {"front", {1, 2, 3}, 0, 1, true, {0, 1, 2, 3}, 0},
        {"at end", {1, 2, 3}, 3, 1, true, {1, 2, 3, 0}, 3},
        {"past end", {1, 2, 3}, 5, 2, true, {1, 2, 3, 0, 0, 0, 0}, 5},
        {"empty array", {}, 0, 2, true, {0, 0}, 0},
        {"negative index", {1, 2, 3}, -1, 1, false, {1, 2, 3}, 0},
        {"zero count", {1, 2, 3}, 1, 0, false, {1, 2, 3}, 0},
    };
    for (const Case& c : inserts) {
        SCOPED_TRACE(c.what);
        COB_BasicArray a(8, nullptr);
        if (!c.start.empty()) {
            ASSERT_TRUE(a.SetSize(static_cast<int>(c.start.size()), -1));
            std::memcpy(a.GetData(), c.start.data(), c.start.size() * 8);
        }
        void* at = a.InsertSpaceAt(c.index, c.count);
        EXPECT_EQ(at != nullptr, c.ok);
        if (at) {
            EXPECT_EQ(at, a.GetDataPtr(c.returnedIndex));
        }
        EXPECT_EQ(Values(a), c.after);
    }

    const Case removes[] = {
        {"middle", {1, 2, 3, 4}, 1, 2, true, {1, 4}, 0},
        {"tail", {1, 2, 3}, 2, 1, true, {1, 2}, 0},
        {"past end", {1, 2, 3}, 1, 3, false, {1, 2, 3}, 0},
        {"negative", {1, 2, 3}, -1, 1, false, {1, 2, 3}, 0},
        {"zero count", {1, 2, 3}, 0, 0, false, {1, 2, 3}, 0},
    };
    for (const Case& c : removes) {
        SCOPED_TRACE(c.what);
        COB_BasicArray a(8, nullptr);
        ASSERT_TRUE(a.SetSize(static_cast<int>(c.start.size()), -1));
        std::memcpy(a.GetData(), c.start.data(), c.start.size() * 8);
        EXPECT_EQ(a.RemoveAt(c.index, c.count), c.ok);
        EXPECT_EQ(Values(a), c.after);
        EXPECT_EQ(a.GetCapacity(), static_cast<int>(c.start.size()));
    }
}

TEST(COB_BasicArray, CopyAppendInsertArrays)
{
    COB_BasicArray a(8, nullptr), b(8, nullptr);
    Fill(a, {1, 2});
    Fill(b, {7, 8, 9});
    COB_BasicArray copy(b, nullptr);
    EXPECT_EQ(Values(copy), Values(b));
    EXPECT_TRUE(copy.Copy(a));
    EXPECT_EQ(Values(copy), Values(a));
    EXPECT_TRUE(a.Append(b));
    EXPECT_EQ(Values(a), (std::vector<int64_t>{1, 2, 7, 8, 9}));
    EXPECT_TRUE(a.InsertAt(1, &b));
    EXPECT_EQ(Values(a), (std::vector<int64_t>{1, 7, 8, 9, 2, 7, 8, 9}));
    EXPECT_FALSE(a.InsertAt(0, nullptr));
    COB_BasicArray empty(8, nullptr);
    EXPECT_TRUE(a.InsertAt(0, &empty));
    EXPECT_EQ(a.GetSize(), 8);

    // Into itself: the source is read before the gap moves it.
    Fill(b, {1, 2});
    EXPECT_TRUE(b.InsertAt(1, &b));
    EXPECT_EQ(Values(b), (std::vector<int64_t>{1, 1, 2, 2}));
    EXPECT_TRUE(b.Append(b));
    EXPECT_EQ(Values(b), (std::vector<int64_t>{1, 1, 2, 2, 1, 1, 2, 2}));
    b = empty;
    EXPECT_EQ(b.GetSize(), 0);
}

TEST(COB_BasicArray, WiderDestinationNeverReadsPastTheSource)
{
    COB_BasicArray narrow(1, nullptr);
    ASSERT_TRUE(narrow.SetSize(3, -1));
    std::memcpy(narrow.GetData(), "abc", 3);
    COB_BasicArray wide(8, nullptr);
    EXPECT_TRUE(wide.Copy(narrow));
    ASSERT_EQ(wide.GetSize(), 3);
    const char* bytes = static_cast<const char*>(wide.GetData());
    EXPECT_EQ(std::memcmp(bytes, "abc", 3), 0);
    for (int i = 3; i < 24; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
}

// Allocator that refuses once a byte budget is spent.
struct Budget
{
    _IOB_Allocator table;
    size_t limit;
};
void* BAlloc(_IOB_Allocator* a, size_t size)
{
    return size > reinterpret_cast<Budget*>(a)->limit ? nullptr : std::malloc(size);
}
void* BAllocD(_IOB_Allocator* a, size_t size, const char*, int)
{
    return BAlloc(a, size);
}
void* BRealloc(_IOB_Allocator* a, void* block, size_t size)
{
    return size > reinterpret_cast<Budget*>(a)->limit ? nullptr : std::realloc(block, size);
}
void* BReallocD(_IOB_Allocator* a, void* block, size_t size, const char*, int)
{
    return BRealloc(a, block, size);
}
void BFree(_IOB_Allocator*, void* block)
{
    std::free(block);
}

TEST(COB_BasicArray, FailedGrowthLeavesTheArrayUnchanged)
{
    Budget budget{{BAllocD, BAlloc, BReallocD, BRealloc, BFree}, 32};
    COB_BasicArray a(8, &budget.table);
    EXPECT_FALSE(a.SetSize(5, -1));
    EXPECT_EQ(a.GetSize(), 0);
    Fill(a, {1, 2, 3, 4});
    EXPECT_FALSE(a.SetSize(5, -1));
    EXPECT_EQ(a.InsertSpaceAt(1, 1), nullptr);
    EXPECT_EQ(Values(a), (std::vector<int64_t>{1, 2, 3, 4}));
    EXPECT_EQ(a.GetCapacity(), 4);
}

} // namespace
