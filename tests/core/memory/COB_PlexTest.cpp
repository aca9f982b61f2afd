#include "COB_Plex.h"

#include "XmlTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(COB_Plex, ChainNewestFirstFreedAtOnce)
{
    xmltest::CountingAllocator allocator;
    COB_Plex* head = nullptr;
    COB_Plex* first = COB_Plex::Create(allocator.get(), head, 4, 24);
    COB_Plex* second = COB_Plex::Create(allocator.get(), head, 1, 8);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(head, second);
    EXPECT_EQ(second->pNext, first);
    EXPECT_EQ(static_cast<char*>(first->data()), reinterpret_cast<char*>(first) + 8);
    // A size past 32 bits is refused whole, not allocated short; the chain is unchanged.
    EXPECT_EQ(COB_Plex::Create(allocator.get(), head, 0x10000000, 64), nullptr);
    allocator.failAfter = allocator.total;
    EXPECT_EQ(COB_Plex::Create(allocator.get(), head, 1, 8), nullptr);
    EXPECT_EQ(head, second);
    head->FreeDataChain(allocator.get());
    EXPECT_EQ(allocator.live, 0);
}

} // namespace
