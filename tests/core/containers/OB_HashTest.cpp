#include "OB_Hash.h"

#include <gtest/gtest.h>

namespace {

TEST(OB_Hash, ByteAndWideHashes)
{
    EXPECT_EQ(OB_HashCode_String_GetA("abc", 3, false), 96354u);
    EXPECT_EQ(OB_HashCode_String_GetA("ABC", 3, true), 96354u);
    EXPECT_EQ(OB_HashCode_String_GetA("ABC", -1, false), 64578u);
    EXPECT_EQ(OB_HashCode_String_GetA("abcdef", 3, false), 96354u); // the length, not the zero
    EXPECT_EQ(OB_HashCode_String_GetA("\xE9", 1, false), static_cast<uint32_t>(-23)); // signed bytes
    EXPECT_EQ(OB_HashCode_String_GetA("a\xE9", 2, false), 97u * 31u - 23u);
    EXPECT_EQ(OB_HashCode_String_GetA("[", 1, true), uint32_t('[')); // only A..Z fold
    EXPECT_EQ(OB_HashCode_String_GetA("", -1, false), 0u);
    EXPECT_EQ(OB_HashCode_String_GetA(nullptr, -1, false), 0u);

    EXPECT_EQ(OB_HashCode_String_GetW(L"abc", -1, false), 167353766u);
    EXPECT_EQ(OB_HashCode_String_GetW(L"AbC", 3, true), 167353766u);
    EXPECT_EQ(OB_HashCode_String_GetW(L"\u00C9", 1, true), 0xC9u); // no folding beyond ASCII
    EXPECT_EQ(OB_HashCode_String_GetW(L"\U0001F600", -1, false), 0x1F600u);
}

} // namespace
