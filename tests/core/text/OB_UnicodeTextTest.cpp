#include "OB_UnicodeText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(OB_UTF8Decode, Cases)
{
    struct Case
    {
        std::string bytes;
        int capacity;
        int consumed;
        std::wstring text;
        int produced; // with capacity -1 (counting) the text stays empty
    } const cases[] = {
        {"a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", 8, 10, L"a\u00E9\u20AC\U0001F600", 4},
        {"a\xC3\xA9", -1, 3, L"", 2},
        {"abc", 2, 2, L"ab", 2},                              // the output is full
        {"a\xE2\x82", 8, 1, L"a", 1},                         // an unfinished character is not consumed
        {"a\x80z", 8, 1, L"a", 1},                            // a stray continuation ends the walk
        {"a\xFEz", 8, 1, L"a", 1},
        {"\xC3z", 8, 2, L"z", 1},                             // a lead byte's sequence dropped by the next byte
        {"\xC0\xAF", 8, 2, L"\uFFFD", 1},                     // overlong '/'
        {"\xED\xA0\x80", 8, 3, L"\uFFFD", 1},                 // a surrogate
        {"\xF4\x90\x80\x80", 8, 4, L"\uFFFD", 1},             // beyond U+10FFFF
        {"\xF8\x88\x80\x80\x80", 8, 5, L"\uFFFD", 1},         // a five-byte form
        {"", 8, 0, L"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        std::vector<wchar_t> out(8);
        int srcLen = static_cast<int>(c.bytes.size());
        int dstLen = c.capacity;
        EXPECT_EQ(OB_UTF8Decode(c.bytes.data(), &srcLen, c.capacity < 0 ? nullptr : out.data(), &dstLen), 1);
        EXPECT_EQ(srcLen, c.consumed);
        EXPECT_EQ(dstLen, c.produced);
        if (c.capacity >= 0) {
            EXPECT_EQ(std::wstring(out.data(), static_cast<size_t>(dstLen)), c.text);
        }
    }
    int length = 1;
    EXPECT_EQ(OB_UTF8Decode("a", nullptr, nullptr, &length), -1);
}

TEST(OB_UTF8Encode, Cases)
{
    struct Case
    {
        std::wstring text;
        int capacity;
        int consumed;
        std::string bytes;
        int produced;
    } const cases[] = {
        {L"a\u00E9\u20AC\U0001F600", 16, 4, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", 10},
        {L"a\u00E9\U0001F600", -1, 3, "", 7},
        {L"a\u00E9\u20AC", 5, 2, "a\xC3\xA9", 3},             // the euro sign does not fit
        {std::wstring{static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), static_cast<wchar_t>(-1)}, 16, 3,
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", 9},
        {L"", 16, 0, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        std::vector<char> out(16);
        int srcLen = static_cast<int>(c.text.size());
        int dstLen = c.capacity;
        EXPECT_EQ(OB_UTF8Encode(c.text.data(), &srcLen, c.capacity < 0 ? nullptr : out.data(), &dstLen), 1);
        EXPECT_EQ(srcLen, c.consumed);
        EXPECT_EQ(dstLen, c.produced);
        if (c.capacity >= 0) {
            EXPECT_EQ(std::string(out.data(), static_cast<size_t>(dstLen)), c.bytes);
        }
    }
}

TEST(OB_IsUTF8Data, Cases)
{
    struct Case
    {
        std::string bytes;
        bool valid;
        int length;
    } const cases[] = {
        {"\xC3\xA9" "A", true, 2},
        {"A\x80", false, 0},
        {"plain ascii", true, 0},
        {"\xE2\x82\xAC" "a\xC3", true, 3},            // an unfinished last sequence is not held against it
        {"\xC3\xA9\xC3" "A", false, 2},
        {"\xFC\x84\x80\x80\x80\x80", true, 6},
        {"\xFE", false, 0},
    };
    for (const Case& c : cases) {
        int length = static_cast<int>(c.bytes.size());
        EXPECT_EQ(OB_IsUTF8Data(reinterpret_cast<const uint8_t*>(c.bytes.data()), &length), c.valid)
            << ::testing::PrintToString(c.bytes);
        EXPECT_EQ(length, c.length) << ::testing::PrintToString(c.bytes);
    }
    int empty = 0;
    EXPECT_TRUE(OB_IsUTF8Data(reinterpret_cast<const uint8_t*>("\x80"), &empty));
    EXPECT_EQ(empty, 0);
}

TEST(OB_SwapByteOrder, SwapsTheTwoBytesOfEachUnit)
{
    wchar_t text[] = {0x0041, 0x1234, static_cast<wchar_t>(0xFF00), 0};
    OB_SwapByteOrder(text, 2);
    EXPECT_EQ(text[0], 0x4100);
    EXPECT_EQ(text[1], 0x3412);
    EXPECT_EQ(text[2], static_cast<wchar_t>(0xFF00));
    OB_SwapByteOrder(text, -1); // up to the terminating zero
    EXPECT_EQ(text[0], 0x0041);
    EXPECT_EQ(text[2], 0x00FF);

    const wchar_t source[] = {0x0102, 0x0304, 0};
    wchar_t copy[3] = {9, 9, 9};
    OB_SwapByteOrderCopy(source, copy, -1);
    EXPECT_EQ(copy[0], 0x0201);
    EXPECT_EQ(copy[1], 0x0403);
    EXPECT_EQ(copy[2], 0);
}

TEST(OB_UTF16ToWChar, WidensAndNarrowsUnitByUnit)
{
    union {
        wchar_t wide[4];
        uint16_t units[8];
    } buffer = {};
    const uint16_t units[] = {0x0041, 0xD83D, 0xDE00, 0xFFFF};
    for (int i = 0; i < 4; ++i)
        buffer.units[i] = units[i];
    OB_UTF16ToWChar(&buffer, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(buffer.wide[i], static_cast<wchar_t>(units[i]));
    OB_WCharToUTF16(&buffer, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(buffer.units[i], units[i]);

    wchar_t wide[4];
    OB_UTF16ToWCharCopy(units, wide, 4);
    uint16_t back[4];
    OB_WCharToUTF16Copy(wide, back, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(wide[i], static_cast<wchar_t>(units[i]));
        EXPECT_EQ(back[i], units[i]);
    }
}
