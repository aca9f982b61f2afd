#include "COB_PrivateData.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int g_moduleA, g_moduleB;
std::vector<void*> g_freed;

void Record(void* data)
{
    g_freed.push_back(data);
}

struct Tracked : COB_DestructObject
{
    explicit Tracked(int* counter) : counter(counter) {}
    ~Tracked() override { ++*counter; }
    int* counter;
};

TEST(COB_PrivateData, ReplacingFreesTheOldDataOnce)
{
    g_freed.clear();
    int first = 1, second = 2;
    COB_PrivateData list;
    list.AddData(nullptr, &first, Record, false); // no module id: nothing stored
    EXPECT_EQ(list.GetSize(), 0);
    list.SetPrivateData(&g_moduleA, &first, Record);
    list.SetPrivateData(&g_moduleA, &second, Record);
    EXPECT_EQ(g_freed, std::vector<void*>{&first});
    EXPECT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list.GetPrivateData(&g_moduleA), &second);
    // Storing the data the record already holds must not free it under the caller.
    list.SetPrivateData(&g_moduleA, &second, Record);
    EXPECT_EQ(g_freed, std::vector<void*>{&first});
    EXPECT_EQ(list.GetPrivateData(&g_moduleA), &second);

    int deleted = 0;
    Tracked* object = new Tracked(&deleted);
    list.SetPrivateObj(&g_moduleB, object);
    list.SetPrivateObj(&g_moduleB, object);
    EXPECT_EQ(deleted, 0);
    list.ClearAll(); // the object through its virtual destructor, the rest through the callback
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(g_freed, (std::vector<void*>{&first, &second}));
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_EQ(list.GetPrivateData(&g_moduleA), nullptr);
}

TEST(COB_PrivateData, RemoveLeavesTheDataToTheCaller)
{
    g_freed.clear();
    int data = 0, deleted = 0;
    {
        COB_PrivateData list;
        list.SetPrivateData(&g_moduleA, &data, Record);
        list.SetPrivateObj(&g_moduleB, new Tracked(&deleted));
        list.SetPrivateData(&g_moduleB, &data, nullptr); // replaces the object: it is deleted
        EXPECT_EQ(deleted, 1);
        EXPECT_FALSE(list.RemovePrivateData(nullptr));
        EXPECT_TRUE(list.RemovePrivateData(&g_moduleA));
        EXPECT_FALSE(list.RemovePrivateData(&g_moduleA));
        EXPECT_EQ(list.GetSize(), 1);
        EXPECT_EQ(list.GetPrivateData(nullptr), nullptr);
    } // the destructor frees what is left: a record without a callback frees nothing
    EXPECT_TRUE(g_freed.empty());
}

} // namespace
