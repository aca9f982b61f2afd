#include "COB_StringBufBase.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string Text(const COB_StringBufBase& b)
{
    return std::string(b.GetBuffer(), static_cast<size_t>(b.GetSize()));
}

} // namespace

TEST(COB_StringBufBase, FillsUpToItsLimitAndCutsTheRest)
{
    struct Guarded {
        COB_StringBuf<6> buf;
        char guard[4] = {'#', '#', '#', '#'};
    } g;
    g.buf.Append("abc");
    g.buf.Append(COB_ByteStringC("de\0", 3));
    EXPECT_EQ(Text(g.buf), std::string("abcde\0", 6));
    g.buf.Append("zzz");
    EXPECT_EQ(g.buf.GetSize(), 6);
    EXPECT_EQ(std::string(g.guard, 4), "####");

    g.buf.Copy("0123456789");
    EXPECT_EQ(Text(g.buf), "012345");
    g.buf.Copy("xy");
    EXPECT_EQ(Text(g.buf), "xy");
    g.buf.Append(-42, 1);
    EXPECT_EQ(Text(g.buf), "xy-42");
    g.buf.Append(255, 6);
    EXPECT_EQ(Text(g.buf), "xy-42F");
    EXPECT_EQ(std::string(g.guard, 4), "####");

    COB_StringBuf<16> wide;
    wide.Append(-5, 0);
    wide.Append(" ");
    wide.Append(255, 2);
    EXPECT_EQ(Text(wide), "4294967291 ff");
}
