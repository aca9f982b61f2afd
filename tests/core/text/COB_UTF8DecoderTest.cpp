#include "COB_UTF8Decoder.h"
#include "COB_UTF8Encoder.h"

#include "COB_ByteStringC.h"
#include "COB_WideStringC.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring Decode(const std::vector<unsigned char>& bytes)
{
    COB_UTF8Decoder decoder;
    for (unsigned char b : bytes)
        decoder.Input(b);
    COB_WideStringC text = decoder.GetResult();
    return std::wstring(text.GetPtr() ? text.GetPtr() : L"", static_cast<size_t>(text.GetLength()));
}

} // namespace

TEST(COB_UTF8Decoder, ValidAndMalformedInput)
{
    struct Case
    {
        std::vector<unsigned char> bytes;
        std::wstring text;
    } const cases[] = {
        {{0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, {L'A', 0xE9, 0x20AC}},
        {{0xF0, 0x9F, 0x98, 0x80}, {static_cast<wchar_t>(0x1F600)}},
        {{0xC2, 0x80, 0xDF, 0xBF, 0xE0, 0xA0, 0x80, 0xED, 0x9F, 0xBF, 0xEE, 0x80, 0x80}, {0x80, 0x7FF, 0x800, 0xD7FF, 0xE000}},
        {{0xF4, 0x8F, 0xBF, 0xBF}, {static_cast<wchar_t>(0x10FFFF)}},
        {{0x00, 0x41}, {0, L'A'}},                     // a 0 byte is a character
        {{0xC3, 0x41}, {L'A'}},                        // unfinished sequence dropped
        {{0x80, 0x41}, {L'A'}},                        // stray continuation ignored
        {{0xFF, 0x41, 0xFE}, {L'A'}},                  // never valid lead bytes
        {{0xE2, 0x82}, {}},                            // unfinished at the end
        {{0xE2, 0xC3, 0xA9}, {0xE9}},                  // a new lead byte restarts
        {{0xC0, 0x80}, {0xFFFD}},                      // encoded 0
        // Overlong forms, surrogates and values beyond U+10FFFF become U+FFFD.
        {{0xC0, 0x81}, {0xFFFD}},
        {{0xC0, 0xAF}, {0xFFFD}},                      // overlong '/'
        {{0xE0, 0x80, 0xAF}, {0xFFFD}},
        {{0xF0, 0x80, 0x80, 0xAF}, {0xFFFD}},
        {{0xE0, 0x9F, 0xBF}, {0xFFFD}},                // U+07FF in three bytes
        {{0xF0, 0x8F, 0xBF, 0xBF}, {0xFFFD}},          // U+FFFF in four bytes
        {{0xED, 0xA0, 0x80}, {0xFFFD}},                // lone surrogate U+D800
        {{0xED, 0xBF, 0xBF}, {0xFFFD}},                // U+DFFF
        {{0xF4, 0x90, 0x80, 0x80}, {0xFFFD}},          // U+110000
        {{0xF8, 0x88, 0x80, 0x80, 0x80}, {0xFFFD}},    // five bytes
        {{0xFD, 0xBF, 0xBF, 0xBF, 0xBF, 0xBF}, {0xFFFD}}, // six bytes
        {{0x2E, 0x2E, 0xC0, 0xAF, 0x78}, {L'.', L'.', 0xFFFD, L'x'}},
    };
    for (const Case& c : cases) {
        std::wstring got = Decode(c.bytes);
        EXPECT_EQ(got, c.text) << "case with " << c.bytes.size() << " bytes, first " << std::hex << int(c.bytes[0]);
    }
}

TEST(COB_UTF8Decoder, EveryScalarValueSurvivesTheEncoder)
{
    COB_UTF8Encoder encoder;
    for (wchar_t ch = 0; ch <= 0x10FFFF; ++ch)
        if (ch < 0xD800 || ch > 0xDFFF)
            encoder.Input(ch);
    COB_ByteStringC bytes = encoder.GetResult();
    COB_UTF8Decoder decoder;
    for (int i = 0; i < bytes.GetLength(); ++i)
        decoder.Input(bytes.GetAt(i));
    COB_WideStringC text = decoder.GetResult();
    ASSERT_EQ(text.GetLength(), 0x110000 - 0x800);
    wchar_t expected = 0;
    for (int i = 0; i < text.GetLength(); ++i, ++expected) {
        if (expected == 0xD800)
            expected = 0xE000;
        ASSERT_EQ(text.GetAt(i), expected);
    }
}

TEST(COB_UTF8Decoder, ClearAndAppendChar)
{
    COB_UTF8Decoder decoder;
    decoder.Input(0x41);
    decoder.Input(0xE2);
    decoder.Clear(); // also forgets the sequence in progress
    decoder.Input(0x82);
    decoder.Input(0xAC);
    decoder.AppendChar(0xD800); // appended as given, unchecked
    decoder.Input(0x42);
    EXPECT_EQ(decoder.GetResult().GetLength(), 2);
    EXPECT_EQ(decoder.GetResult().GetAt(0), 0xD800);
    EXPECT_EQ(decoder.GetResult().GetAt(1), L'B');
}
