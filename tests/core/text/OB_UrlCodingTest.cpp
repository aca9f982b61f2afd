#include "OB_UrlCoding.h"

#include "CodingVectors.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(const COB_ByteString& s)
{
    return std::string(s.c_str(), static_cast<size_t>(s.GetLength()));
}

std::wstring Wide(const COB_WideString& s)
{
    return std::wstring(s.c_str(), static_cast<size_t>(s.GetLength()));
}

TEST(OB_UrlCoding, EncodeMatchesPythonQuote)
{
    for (const codingvectors::Url& v : codingvectors::kUrl) {
        const COB_WideString text(v.text, v.textLength);
        EXPECT_EQ(Bytes(OB_EncodeURI(text)), v.encoded);
        // Characters the locale cannot represent used to vanish from the URL form.
        EXPECT_EQ(Bytes(OB_UrlEncode(text)), v.encoded);
    }
}

TEST(OB_UrlCoding, DecodeMatchesPythonUnquote)
{
    for (const codingvectors::Unquote& v : codingvectors::kUnquote) {
        const std::wstring expected(v.text, static_cast<size_t>(v.textLength));
        EXPECT_EQ(Wide(OB_DecodeURI(v.encoded)), expected) << v.encoded;
        EXPECT_EQ(Wide(OB_UrlDecode(v.encoded)), expected) << v.encoded;
    }
}

TEST(OB_UrlCoding, LenientDecoding)
{
    struct Case
    {
        const char* encoded;
        const wchar_t* text;
        size_t length;
    } const cases[] = {
        {"a%00b", L"a\0b", 3},        // a decoded NUL no longer ends the text
        {"%e9", L"", 0},              // an unfinished UTF-8 sequence is dropped
        {"%C3%A9%C3", L"\u00e9", 1},
        {"%FF%41", L"A", 1},          // a byte that starts no character
        {"%ED%A0%80", L"\uFFFD", 1},  // an encoded surrogate is no character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Wide(OB_UrlDecode(c.encoded)), std::wstring(c.text, c.length)) << c.encoded;
        EXPECT_EQ(Wide(OB_DecodeURI(c.encoded)), std::wstring(c.text, c.length)) << c.encoded;
    }
}

} // namespace
