#include "COB_BitWriter.h"

#include "COB_BinaryBuf.h"
#include "COB_BitStream.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(COB_BitWriter, GoldenBytes)
{
    COB_BinaryBuf buffer;
    COB_BitWriter writer(&buffer);
    writer.WriteBits(5, 3);
    writer.WriteBits(0x54, 7);
    writer.ByteAlign();
    ASSERT_EQ(buffer.GetSize(), 20);
    EXPECT_EQ(buffer.GetBuffer()[0], 0xB5);
    EXPECT_EQ(buffer.GetBuffer()[1], 0x00);
    EXPECT_EQ(writer.GetByteIndex(), 2);
    EXPECT_EQ(writer.GetCurByteCount(), 2);
    writer.WriteBits(1, 65); // too wide: nothing
    EXPECT_EQ(writer.GetCurByteCount(), 2);
}

// Whatever the field widths, 64 bits included, the reader gets back what the writer wrote.
TEST(COB_BitWriter, RandomFieldsReadBack)
{
    std::mt19937_64 random(19);
    COB_BinaryBuf buffer;
    COB_BitWriter writer(&buffer);
    std::vector<std::pair<uint64_t, int>> fields;
    for (int i = 0; i < 2000; ++i) {
        int n = 1 + static_cast<int>(random() % 64);
        uint64_t value = random();
        fields.push_back({value, n});
        // Bits above the field's width are not part of it and must not spill into the bits before it.
        writer.WriteBits(static_cast<long long>(value), n);
    }
    COB_BitStream reader;
    reader.Init(buffer.GetBuffer(), static_cast<unsigned int>(writer.GetCurByteCount()));
    for (const auto& field : fields) {
        uint64_t value = field.first & (field.second == 64 ? ~0ull : (1ull << field.second) - 1);
        uint64_t got = field.second > 32 ? static_cast<uint64_t>(reader.GetBits(field.second - 32)) << 32 : 0;
        got |= reader.GetBits(field.second > 32 ? 32 : field.second);
        ASSERT_EQ(got, value) << field.second;
    }
}

} // namespace
