#include "COB_ArchiveLoader.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(COB_ArchiveLoader, ShortValuesLeaveVariableAndPositionAlone)
{
    const unsigned char three[] = {0x11, 0x22, 0x33};
    COB_ArchiveLoader loader(three, 3);
    int number = 42;
    loader >> number;
    EXPECT_EQ(number, 42);
    EXPECT_FALSE(loader.IsEOF());
    long long big = 7;
    loader >> big;
    EXPECT_EQ(big, 7);
    unsigned char byte = 0;
    loader >> byte;
    EXPECT_EQ(byte, 0x11);
    EXPECT_EQ(loader.GetPosition(), 1u);
    unsigned char two[2];
    EXPECT_FALSE(loader.Read(two, 3));
    EXPECT_TRUE(loader.Read(nullptr, 1)); // skips
    EXPECT_TRUE(loader.Read(two, 1));
    EXPECT_EQ(two[0], 0x33);
    EXPECT_TRUE(loader.IsEOF());
    EXPECT_FALSE(loader.Read(two, 1));
}

TEST(COB_ArchiveLoader, StringWithShortBodyComesBackEmpty)
{
    const unsigned char data[] = {10, 0, 0, 0, 'a', 'b', 'c', 'd'};
    COB_ArchiveLoader loader(data, sizeof(data));
    COB_ByteString text("old");
    loader >> text;
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(loader.GetPosition(), 4u);
    unsigned char byte = 0;
    loader >> byte;
    EXPECT_EQ(byte, 'a');

    // A negative length word is no length at all.
    const unsigned char negative[] = {0xFF, 0xFF, 0xFF, 0xFF, 'z'};
    COB_ArchiveLoader other(negative, sizeof(negative));
    other >> text;
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(other.GetPosition(), 4u);

    // A failed wide read empties the string; the other forms leave their variable alone.
    const unsigned char two[] = {1, 0};
    COB_ArchiveLoader shortWide(two, sizeof(two));
    COB_WideString wide(L"old");
    shortWide >> wide;
    EXPECT_TRUE(wide.IsEmpty());
    EXPECT_EQ(shortWide.GetPosition(), 0u);
}

} // namespace
