#include "COB_Base64Decoder.h"

#include "CodingVectors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string DecodeBytes(const char* text, int size = -1)
{
    COB_Base64Decoder decoder;
    if (size < 0)
        size = static_cast<int>(strlen(text));
    const int length = decoder.Decode(text, size, nullptr);
    std::vector<unsigned char> out(static_cast<size_t>(length) + 1, '#');
    EXPECT_EQ(decoder.Decode(text, size, out.data()), length) << text;
    EXPECT_EQ(out[length], '#') << text; // nothing written past the measured length
    return std::string(out.begin(), out.begin() + length);
}

std::string DecodeWide(const std::wstring& text, const COB_Base64Decoder& decoder = COB_Base64Decoder())
{
    COB_ByteString out;
    decoder.Decode(COB_WideStringC(text.c_str(), static_cast<int>(text.size())), out);
    return std::string(out.c_str(), static_cast<size_t>(out.GetLength()));
}

TEST(COB_Base64Decoder, MatchesPython)
{
    COB_Base64Decoder decoder;
    for (const codingvectors::Base64& v : codingvectors::kBase64) {
        const std::string data(v.data, static_cast<size_t>(v.size));
        std::string encoded(v.encoded);
        EXPECT_EQ(DecodeBytes(encoded.c_str()), data) << encoded;
        EXPECT_EQ(DecodeWide(std::wstring(encoded.begin(), encoded.end())), data) << encoded;
        COB_ByteString out;
        EXPECT_EQ(decoder.Decode(COB_ByteStringC(encoded.c_str()), out), v.size);
        EXPECT_EQ(std::string(out.c_str(), static_cast<size_t>(out.GetLength())), data);
        // The final group's padding may be missing.
        while (!encoded.empty() && encoded.back() == '=')
            encoded.pop_back();
        EXPECT_EQ(DecodeBytes(encoded.c_str()), data) << encoded;
    }
    for (const codingvectors::Base64& v : codingvectors::kBase64Lines)
        EXPECT_EQ(DecodeBytes(v.encoded), std::string(v.data, static_cast<size_t>(v.size)));
}

TEST(COB_Base64Decoder, LenientInput)
{
    struct Case
    {
        const char* text;
        const char* data;
    } const cases[] = {
        {"aGVs bG8=", "hello"},      // white space is skipped wherever it stands
        {" \taGVs\r\nbG8=\n", "hello"},
        {"aGVsbG8=====", "hello"},    // any number of trailing pads
        {"aGk=aGk=", "hi"},           // a pad inside the text ends it
        {"aGVs*bG8=", "hel"},         // so does any other character outside the alphabet
        {"aGVsbG8\xC1", "hello"},     // bytes above 127 are never letters ('A' | 0x80 used to pass)
        {"a", "h"},                   // a lone character still gives its six bits
        {"====", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeBytes(c.text), c.data) << c.text;
    EXPECT_EQ(DecodeWide(L"aGVs\u00c1bG8="), "hel"); // and no wide character above 127 either
    EXPECT_EQ(DecodeWide(L"aGVs\u0141bG8="), "hel"); // whose low 7 bits are 'A'
}

unsigned char Shifted(wchar_t c)
{
    return c >= 0x3000 && c < 0x3040 ? static_cast<unsigned char>(c - 0x3000) : 255;
}

TEST(COB_Base64Decoder, DecoderAndPaddingOfTheObject)
{
    COB_Base64Decoder decoder(L'.');
    EXPECT_EQ(DecodeWide(L"aGk.", decoder), "hi");
    EXPECT_EQ(DecodeWide(L"aGk=", decoder), "hi"); // '=' is outside the alphabet: the text ends
    EXPECT_EQ(DecodeBytes("aGk.."), "hi");          // the byte form uses '=': '.' ends the text
    decoder.SetDecoder(Shifted);
    const std::wstring shifted = {wchar_t(0x3000 + 26), wchar_t(0x3000 + 6), wchar_t(0x3000 + 36), L'.'};
    EXPECT_EQ(DecodeWide(shifted, decoder), "hi");
    COB_ByteString out;
    // UTF-8 text in, through the object's decoder.
    const COB_ByteString utf8 = COB_WideString(shifted.c_str()).UTF8Encode();
    EXPECT_EQ(decoder.Decode(COB_ByteStringC(utf8), out), 2);
    EXPECT_STREQ(out.c_str(), "hi");
}

} // namespace
