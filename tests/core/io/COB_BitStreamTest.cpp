#include "COB_BitStream.h"

#include <gtest/gtest.h>

namespace {

TEST(COB_BitStream, FieldsMostSignificantFirst)
{
    const unsigned char data[] = {0xB5, 0x0F};
    COB_BitStream bits;
    bits.Init(data, sizeof(data));
    EXPECT_EQ(bits.GetBits(0), 0u);
    EXPECT_EQ(bits.GetBits(3), 5u);
    EXPECT_EQ(bits.GetBits(7), 0x54u);
    EXPECT_EQ(bits.GetBits(6), 0x0Fu);
    EXPECT_EQ(bits.GetPos(), 16u);
    EXPECT_EQ(bits.GetBits(1), 0u);
    EXPECT_EQ(bits.GetPos(), 16u);
}

TEST(COB_BitStream, WideFieldsAlignmentAndOverlongRequests)
{
    const unsigned char data[] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    COB_BitStream bits;
    bits.Init(data, sizeof(data));
    EXPECT_EQ(bits.GetBits(32), 0x12345678u);
    bits.Init(data, sizeof(data));
    EXPECT_EQ(bits.GetBits(4), 0x1u);
    EXPECT_EQ(bits.GetBits(32), 0x23456789u);
    EXPECT_EQ(bits.GetBits(1), 1u); // A = 1010
    bits.ByteAlign();
    EXPECT_EQ(bits.GetPos(), 40u);
    bits.ByteAlign();
    EXPECT_EQ(bits.GetPos(), 40u);
    EXPECT_EQ(bits.GetBits(9), 0u); // only 8 left
    EXPECT_EQ(bits.GetPos(), 40u);
    EXPECT_EQ(bits.GetBits(8), 0xBCu);
    EXPECT_TRUE(bits.IsEOF());
}

// A field wider than 32 bits hands back its low 32 bits, also when its first bits lie 64 or more places up.
TEST(COB_BitStream, FieldWiderThanTheResultKeepsItsLowBits)
{
    const unsigned char data[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x12, 0x34, 0x56, 0x78, 0x9A};
    COB_BitStream bits;
    bits.Init(data, sizeof(data));
    EXPECT_EQ(bits.GetBits(4), 0xFu);
    EXPECT_EQ(bits.GetBits(68), 0x12345678u);
    EXPECT_EQ(bits.GetPos(), 72u);
    bits.Init(data, sizeof(data));
    EXPECT_EQ(bits.GetBits(72), 0x12345678u);
    EXPECT_EQ(bits.GetBits(8), 0x9Au);
}

} // namespace
