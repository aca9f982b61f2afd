#include "COB_Base64Encoder.h"

#include "CodingVectors.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(COB_Base64Encoder, MatchesPythonInEveryForm)
{
    COB_Base64Encoder encoder;
    for (const codingvectors::Base64& v : codingvectors::kBase64) {
        const unsigned char* data = reinterpret_cast<const unsigned char*>(v.data);
        const std::string expected(v.encoded);
        const int length = static_cast<int>(expected.size());
        EXPECT_EQ(encoder.Encode(data, v.size, static_cast<char*>(nullptr)), length);
        EXPECT_EQ(encoder.Encode(data, v.size, static_cast<wchar_t*>(nullptr)), length);
        std::string bytes(length + 1, '#');
        EXPECT_EQ(encoder.Encode(data, v.size, &bytes[0]), length);
        EXPECT_EQ(bytes, expected + "#"); // nothing written past the text
        std::wstring wide(length, L'#');
        encoder.Encode(data, v.size, &wide[0]);
        EXPECT_EQ(wide, std::wstring(expected.begin(), expected.end()));
        COB_WideString wideOut;
        EXPECT_EQ(encoder.Encode(COB_ByteStringC(v.data, v.size), wideOut), length);
        EXPECT_EQ(std::wstring(wideOut.c_str()), std::wstring(expected.begin(), expected.end()));
        COB_ByteString byteOut("stale");
        EXPECT_EQ(encoder.Encode(COB_ByteStringC(v.data, v.size), byteOut), length);
        EXPECT_EQ(std::string(byteOut.c_str()), expected);
    }
}

wchar_t Shifted(unsigned value)
{
    return static_cast<wchar_t>(0x3000 + (value & 63)); // outside ASCII: its UTF-8 form is 3 bytes
}

TEST(COB_Base64Encoder, PaddingAndEncoderOfTheObject)
{
    COB_Base64Encoder encoder(L'.');
    const unsigned char two[] = {'h', 'i'};
    char bytes[8] = {};
    encoder.Encode(two, 2, bytes);
    EXPECT_STREQ(bytes, "aGk="); // the byte form always uses '=' and the standard alphabet
    wchar_t wide[8] = {};
    encoder.Encode(two, 2, wide);
    EXPECT_STREQ(wide, L"aGk.");
    encoder.SetEncoder(Shifted);
    encoder.Encode(two, 2, wide);
    EXPECT_EQ(wide[0], Shifted(26));
    EXPECT_EQ(wide[3], L'.');
    COB_ByteString utf8;
    EXPECT_EQ(encoder.Encode(COB_ByteStringC("hi"), utf8), 3 * 3 + 1);
    EXPECT_EQ(encoder.Encode(two, 0, wide), 0);
    EXPECT_EQ(encoder.Encode(two, -1, static_cast<char*>(nullptr)), 0);
    // A text longer than an int can count is refused rather than measured short.
    EXPECT_EQ(encoder.Encode(two, INT_MAX, static_cast<char*>(nullptr)), 0);
    EXPECT_EQ(encoder.Encode(two, 1610612733, static_cast<wchar_t*>(nullptr)), 2147483644);
}

} // namespace
