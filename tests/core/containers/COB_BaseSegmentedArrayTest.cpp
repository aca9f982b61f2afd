#include "COB_BaseSegmentedArray.h"
#include "COB_MemoryMgr.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Element
{
    int value;
    char pad[20]; // 24 bytes, as the compact map stores them
};

// Allocator that counts live blocks and can refuse blocks of one size from a given moment on.
void* TAlloc(_IOB_Allocator* a, size_t size);
void* TAllocD(_IOB_Allocator* a, size_t size, const char*, int);
void* TRealloc(_IOB_Allocator*, void*, size_t);
void* TReallocD(_IOB_Allocator*, void*, size_t, const char*, int);
void TFree(_IOB_Allocator* a, void* block);

struct Tracking
{
    _IOB_Allocator table = {TAllocD, TAlloc, TReallocD, TRealloc, TFree};
    int live = 0;
    size_t refuseSize = 0;
};
Tracking* Of(_IOB_Allocator* a)
{
    return reinterpret_cast<Tracking*>(a);
}
void* TAlloc(_IOB_Allocator* a, size_t size)
{
    if (size == Of(a)->refuseSize)
        return nullptr;
    ++Of(a)->live;
    return std::malloc(size);
}
void* TAllocD(_IOB_Allocator* a, size_t size, const char*, int)
{
    return TAlloc(a, size);
}
void* TRealloc(_IOB_Allocator*, void*, size_t)
{
    return nullptr;
}
void* TReallocD(_IOB_Allocator*, void*, size_t, const char*, int)
{
    return nullptr;
}
void TFree(_IOB_Allocator* a, void* block)
{
    --Of(a)->live;
    std::free(block);
}

class SegmentedArrayTest : public ::testing::Test
{
protected:
    SegmentedArrayTest() : array(24, 16, 4, &tracking.table) {}
    void AddValues(int count)
    {
        for (int i = 0; i < count; ++i) {
            Element* e = static_cast<Element*>(array.Add());
            ASSERT_NE(e, nullptr);
            e->value = array.GetSize() - 1;
        }
    }
    std::vector<int> Values() const
    {
        std::vector<int> out;
        for (int i = 0; i < array.GetSize(); ++i)
            out.push_back(static_cast<Element*>(array.GetAt(i))->value);
        return out;
    }
    static std::vector<int> Range(int from, int to)
    {
        std::vector<int> out;
        for (int i = from; i < to; ++i)
            out.push_back(i);
        return out;
    }

    Tracking tracking;
    COB_BaseSegmentedArray array;
};

TEST_F(SegmentedArrayTest, TreeGrowsByDepth)
{
    struct Step
    {
        int size;
        int depth;
        int blocks; // segments + index nodes
    };
    // 16 per segment, 4 per node: 16 elements at depth 0, 64 at depth 1, 256 at depth 2.
    const Step steps[] = {{1, 0, 1},  {16, 0, 1},  {17, 1, 3},  {64, 1, 5},   {65, 2, 8},
                          {80, 2, 8}, {81, 2, 9}, {129, 2, 13}, {256, 2, 21}, {257, 3, 25}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.size);
        AddValues(s.size - array.GetSize());
        EXPECT_EQ(array.GetDepth(), s.depth);
        EXPECT_EQ(tracking.live, s.blocks);
    }
    EXPECT_EQ(Values(), Range(0, 257));
    EXPECT_EQ(array.GetAt(257), nullptr);
    EXPECT_EQ(array.GetAt(-1), nullptr);
    array.RemoveAll();
    EXPECT_EQ(tracking.live, 0);
    EXPECT_EQ(array.GetSize(), 0);
}

TEST_F(SegmentedArrayTest, ElementsNeverMove)
{
    AddValues(1);
    void* first = array.GetAt(0);
    AddValues(300);
    EXPECT_EQ(array.GetAt(0), first);
    EXPECT_EQ(array.GetIndex(0)[0], first); // lowest node holding segment 0
}

TEST_F(SegmentedArrayTest, DeleteShiftsValuesAndFreesSpareSegments)
{
    AddValues(40);
    array.Delete(3, 20);
    std::vector<int> expected = Range(0, 3);
    for (int v : Range(23, 40))
        expected.push_back(v);
    EXPECT_EQ(Values(), expected);
    EXPECT_EQ(tracking.live, 3); // root and two segments
    array.Delete(0, 21);         // out of range: nothing happens
    EXPECT_EQ(array.GetSize(), 20);

    array.Delete(0, 20);
    EXPECT_EQ(array.GetSize(), 0);
    EXPECT_EQ(tracking.live, 1); // the root index node stays
    AddValues(20);
    EXPECT_EQ(array.GetDepth(), 1);
    EXPECT_EQ(tracking.live, 3);
    EXPECT_EQ(Values(), Range(0, 20));
}

TEST_F(SegmentedArrayTest, DeleteEverythingAtDepthZeroFreesTheRoot)
{
    AddValues(5);
    array.Delete(0, 5);
    EXPECT_EQ(array.GetRoot(), nullptr);
    EXPECT_EQ(tracking.live, 0);
    AddValues(2);
    EXPECT_EQ(Values(), Range(0, 2));
}

TEST_F(SegmentedArrayTest, FailedAddKeepsEveryElement)
{
    const size_t segmentBytes = 24 * 16, nodeBytes = 4 * sizeof(void*);
    struct Case
    {
        const char* what;
        int before;
        size_t refused;
    };
    const Case cases[] = {
        {"first segment", 0, segmentBytes},
        {"segment at depth 1", 32, segmentBytes},
        {"first index node", 16, nodeBytes},
        {"new root of a full tree", 64, nodeBytes},
        {"intermediate node", 128, nodeBytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        array.RemoveAll();
        tracking.refuseSize = 0;
        AddValues(c.before);
        tracking.refuseSize = c.refused;
        EXPECT_EQ(array.Add(), nullptr);
        EXPECT_EQ(array.GetSize(), c.before);
        EXPECT_EQ(Values(), Range(0, c.before));
        tracking.refuseSize = 0;
        AddValues(40);
        EXPECT_EQ(Values(), Range(0, c.before + 40));
    }
    array.RemoveAll();
    EXPECT_EQ(tracking.live, 0);
}

bool StopAtThird(void* param, void* element)
{
    std::vector<int>* seen = static_cast<std::vector<int>*>(param);
    seen->push_back(static_cast<Element*>(element)->value);
    return seen->size() < 3;
}

bool VisitAll(void* param, void* element)
{
    static_cast<std::vector<int>*>(param)->push_back(static_cast<Element*>(element)->value);
    return true;
}

TEST_F(SegmentedArrayTest, IterateVisitsInOrderAndStopsOnFalse)
{
    std::vector<int> seen;
    EXPECT_EQ(array.Iterate(VisitAll, &seen), nullptr);
    EXPECT_TRUE(seen.empty());
    for (int count : {5, 70}) {
        SCOPED_TRACE(count);
        array.RemoveAll();
        AddValues(count);
        seen.clear();
        EXPECT_EQ(array.Iterate(StopAtThird, &seen), array.GetAt(2));
        EXPECT_EQ(seen, Range(0, 3));
        seen.clear();
        EXPECT_EQ(array.Iterate(VisitAll, &seen), nullptr);
        EXPECT_EQ(seen, Range(0, count));
    }
}

TEST(COB_BaseSegmentedArray, DefaultManagerAndSetUnitSize)
{
    COB_BaseSegmentedArray array(4, 2, 2, nullptr);
    array.SetUnitSize(8, 3, 2);
    for (long long i = 0; i < 50; ++i)
        *static_cast<long long*>(array.Add()) = i * 3;
    EXPECT_EQ(array.GetUnitSize(), 8);
    EXPECT_EQ(*static_cast<long long*>(array.GetAt(49)), 147);
}

} // namespace
