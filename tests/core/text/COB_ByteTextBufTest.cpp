#include "COB_ByteTextBuf.h"

#include "COB_ByteString.h"
#include "OB_NumberText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::string Data(const COB_BinaryBuf& buf)
{
    return std::string(reinterpret_cast<const char*>(buf.GetBuffer()), static_cast<size_t>(buf.GetSize()));
}

} // namespace

TEST(COB_ByteTextBuf, NumbersAndText)
{
    COB_ByteTextBuf buf;
    buf << COB_ByteStringC("n=") << 0 << COB_ByteStringC(",") << INT_MIN << COB_ByteStringC(",") << 42 << 7u << 2.5;
    EXPECT_EQ(Data(buf), "n=0,-2147483648,4272.5");
}

TEST(COB_ByteTextBuf, EachOperatorAppendsItsText)
{
    struct Case
    {
        const char* expected;
        void (*append)(COB_ByteTextBuf&);
    } const cases[] = {
        {"0", [](COB_ByteTextBuf& b) { b << 0; }},
        {"-2147483648", [](COB_ByteTextBuf& b) { b << INT_MIN; }},
        // Unsigned values are written as unsigned decimal, not through the signed conversion.
        {"3000000000", [](COB_ByteTextBuf& b) { b << 3000000000u; }},
        {"4294967295", [](COB_ByteTextBuf& b) { b << 4294967295u; }},
        {"-9223372036854775808", [](COB_ByteTextBuf& b) { b << LLONG_MIN; }},
        {"0.1", [](COB_ByteTextBuf& b) { b << 0.1; }}, // single precision: not 0.10000000000000001
        {"1.2", [](COB_ByteTextBuf& b) { b << 1.2; }},
        {"10000000000", [](COB_ByteTextBuf& b) { b << 1e10; }},
        {"abc", [](COB_ByteTextBuf& b) { b << COB_ByteStringC("abc"); }},
        {"", [](COB_ByteTextBuf& b) { b << COB_ByteStringC(); }},
    };
    for (const Case& c : cases) {
        COB_ByteTextBuf buf;
        c.append(buf);
        EXPECT_EQ(Data(buf), c.expected);
    }
}

TEST(COB_ByteTextBuf, BuffersAndAssignment)
{
    COB_ByteTextBuf a;
    a << COB_ByteStringC("left");
    COB_ByteTextBuf b;
    b << COB_ByteStringC("right");
    a << b;
    EXPECT_EQ(Data(a), "leftright");
    a << a; // appending itself
    EXPECT_EQ(Data(a), "leftrightleftright");
    a = COB_ByteStringC("new");
    EXPECT_EQ(Data(a), "new");
    EXPECT_EQ(std::string(a.GetByteString().GetCStr(), 3), "new");
}

TEST(COB_ByteTextBuf, AppendCharGrowsByAHundred)
{
    COB_ByteTextBuf buf;
    buf.AppendChar('a');
    EXPECT_EQ(buf.GetAllocSize(), 128); // 100 bytes asked, rounded to the automatic step
    for (int i = 1; i < 129; ++i)
        buf.AppendChar('a' + i % 26);
    EXPECT_EQ(buf.GetSize(), 129);
    EXPECT_EQ(buf.GetAllocSize(), 256);
    EXPECT_EQ(Data(buf).substr(0, 4), "abcd");
}
