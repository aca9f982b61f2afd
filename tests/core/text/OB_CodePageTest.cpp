#include "OB_CodePage.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// ---- comparison with glibc's iconv -------------------------------------------------------------

const long kNone = -1;

class Iconv
{
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // The output of converting exactly these bytes, with whatever a composing decoder holds back
    // flushed; false when iconv refuses any of it.
    bool Convert(const void* input, size_t size, std::string& output)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(static_cast<const char*>(input));
        char buffer[32];
        char* out = buffer;
        size_t inLeft = size;
        size_t outLeft = sizeof buffer;
        if (iconv(m_cd, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return false;
        if (iconv(m_cd, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1))
            return false;
        output.assign(buffer, static_cast<size_t>(out - buffer));
        return true;
    }

private:
    iconv_t m_cd;
};

enum Direction { Decoding, Encoding };

// Every known difference between the tables and glibc, by code page, direction and the range of
// codes (decoding) or characters (encoding) it lies in.
struct Difference
{
    int codePage;
    Direction direction;
    long first;
    long last;
    bool composed; // iconv writes a base letter followed by combining marks
    const char* why;
};

const Difference kDifferences[] = {
    {932, Decoding, 0xF040, 0xF9FC, false, "user-defined area: no mapping here, private use in iconv"},
    {932, Encoding, 0xE000, 0xE757, false, "user-defined area: no mapping here, private use in iconv"},
    {932, Encoding, 0xA2, 0xAC, false, "iconv's one-way mappings: cent, pound, yen (to 0x5C) and not signs"},
    {932, Encoding, 0x2014, 0x203E, false, "iconv's one-way mappings: dash, double bar and overline (to 0x7E)"},
    {932, Encoding, 0x2212, 0x2212, false, "iconv's one-way mapping of the minus sign"},
    {932, Encoding, 0x301C, 0x301C, false, "iconv's one-way mapping of the wave dash"},
    {936, Decoding, 0x80, 0x80, false, "euro sign at 0x80: not in the codec the table is made from"},
    {936, Encoding, 0x20AC, 0x20AC, false, "euro sign at 0x80: not in the codec the table is made from"},
    {950, Decoding, 0x80, 0x80, false, "0x80: iconv passes it through as a C1 control"},
    {950, Encoding, 0x80, 0x80, false, "0x80: iconv passes it through as a C1 control"},
    {950, Decoding, 0xC6A1, 0xC8FE, false, "user-defined area: no mapping here, private use in iconv"},
    {950, Encoding, 0xF6B1, 0xF848, false, "user-defined area: no mapping here, private use in iconv"},
    {1255, Encoding, 0xFB1D, 0xFB4E, true, "iconv composes: presentation forms written as letter and points"},
    {1258, Encoding, 0xC0, 0x1FEE, true, "iconv composes: precomposed letters written as letter and tone mark"},
    {1258, Encoding, 0x340, 0x341, false, "iconv writes the tone-mark look-alikes as the grave and acute tone marks"},
};

long OurDecode(int codePage, const unsigned char* bytes, int size)
{
    wchar_t out[2] = {};
    int srcLen = size;
    int dstLen = 2;
    const int result = OB_DecodeString(static_cast<uint16_t>(codePage), reinterpret_cast<const char*>(bytes), &srcLen,
                                       out, &dstLen, true);
    return result == 1 && srcLen == size && dstLen == 1 ? static_cast<long>(out[0]) : kNone;
}

long OurEncode(int codePage, wchar_t w, std::string& bytes)
{
    char out[4];
    int srcLen = 1;
    int dstLen = 4;
    if (OB_EncodeString(static_cast<uint16_t>(codePage), &w, &srcLen, out, &dstLen, true) != 1 || srcLen != 1)
        return kNone;
    bytes.assign(out, static_cast<size_t>(dstLen));
    return 0;
}

class CodePageVersusIconv : public ::testing::TestWithParam<int>
{
};

TEST_P(CodePageVersusIconv, AgreesExceptForClassifiedDifferences)
{
    const int codePage = GetParam();
    const std::string name = "CP" + std::to_string(codePage);
    Iconv decoder("WCHAR_T", name.c_str());
    Iconv encoder(name.c_str(), "WCHAR_T");
    ASSERT_TRUE(decoder.IsOpen() && encoder.IsOpen()) << name;
    const _OB_CODEPAGE* page = OB_GetCodePage(static_cast<uint16_t>(codePage));
    ASSERT_NE(page, nullptr);

    std::map<const Difference*, int> used;
    int unexplained = 0;
    auto classify = [&](Direction direction, long key, bool composed, const std::string& what) {
        for (const Difference& d : kDifferences) {
            if (d.codePage == codePage && d.direction == direction && key >= d.first && key <= d.last &&
                d.composed == composed) {
                ++used[&d];
                return;
            }
        }
        if (++unexplained <= 20)
            ADD_FAILURE() << name << ": unexplained difference " << what;
    };

    // Every single byte and, for the double-byte pages, every pair after a byte from 0x81 up.
    const bool doubleByte = page->pHeader->bHasLeadBytes;
    for (long code = 0; code < (doubleByte ? 0x10000 : 0x100); ++code) {
        if (code >= 0x100 && code < 0x8100)
            continue;
        unsigned char bytes[2];
        int size = 1;
        if (code < 0x100) {
            bytes[0] = static_cast<unsigned char>(code);
        } else {
            bytes[0] = static_cast<unsigned char>(code >> 8);
            bytes[1] = static_cast<unsigned char>(code);
            size = 2;
        }
        const long ours = OurDecode(codePage, bytes, size);
        std::string wide;
        long theirs = kNone;
        if (decoder.Convert(bytes, static_cast<size_t>(size), wide) && wide.size() == sizeof(wchar_t)) {
            wchar_t w;
            memcpy(&w, wide.data(), sizeof w);
            theirs = w;
        }
        if (ours != theirs) {
            char what[96];
            snprintf(what, sizeof what, "decoding 0x%lX: U+%04lX here, U+%04lX in iconv", code, ours, theirs);
            classify(Decoding, code, false, what);
        }
    }
    // Every character of the basic plane.
    for (long u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const wchar_t w = static_cast<wchar_t>(u);
        std::string ours;
        const bool oursMapped = OurEncode(codePage, w, ours) == 0;
        std::string theirs;
        const bool theirsMapped = encoder.Convert(&w, sizeof w, theirs);
        if (oursMapped != theirsMapped || (oursMapped && ours != theirs)) {
            char what[96];
            snprintf(what, sizeof what, "encoding U+%04lX: %zu bytes here, %zu in iconv", u, oursMapped ? ours.size() : 0,
                     theirsMapped ? theirs.size() : 0);
            const bool composed = !oursMapped && theirsMapped && theirs.size() >= 2 && !doubleByte;
            classify(Encoding, u, composed, what);
        }
    }
    EXPECT_EQ(unexplained, 0);
    // A class that no longer occurs is stale and goes from the table.
    for (const Difference& d : kDifferences) {
        if (d.codePage == codePage) {
            EXPECT_GT(used[&d], 0) << name << ": no difference left of class \"" << d.why << "\"";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllTables, CodePageVersusIconv,
                         ::testing::Values(874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257,
                                           1258),
                         [](const ::testing::TestParamInfo<int>& info) { return "CP" + std::to_string(info.param); });

// ---- the conversion calls ----------------------------------------------------------------------

struct Outcome
{
    int result;
    int consumed;
    int produced;
};

Outcome Decode(int codePage, const std::string& bytes, std::wstring& text, int capacity, bool errBreak)
{
    std::vector<wchar_t> out(static_cast<size_t>(capacity > 0 ? capacity : 1));
    int srcLen = static_cast<int>(bytes.size());
    int dstLen = capacity;
    const int result = OB_DecodeString(static_cast<uint16_t>(codePage), bytes.data(), &srcLen,
                                       capacity >= 0 ? out.data() : nullptr, &dstLen, errBreak);
    text.assign(out.data(), capacity > 0 ? static_cast<size_t>(dstLen) : 0);
    return {result, srcLen, dstLen};
}

Outcome Encode(int codePage, const std::wstring& text, std::string& bytes, int capacity, bool errBreak)
{
    std::vector<char> out(static_cast<size_t>(capacity > 0 ? capacity : 1));
    int srcLen = static_cast<int>(text.size());
    int dstLen = capacity;
    const int result = OB_EncodeString(static_cast<uint16_t>(codePage), text.data(), &srcLen,
                                       capacity >= 0 ? out.data() : nullptr, &dstLen, errBreak);
    bytes.assign(out.data(), capacity > 0 ? static_cast<size_t>(dstLen) : 0);
    return {result, srcLen, dstLen};
}

void ExpectOutcome(const Outcome& got, const Outcome& want)
{
    EXPECT_EQ(got.result, want.result);
    EXPECT_EQ(got.consumed, want.consumed);
    EXPECT_EQ(got.produced, want.produced);
}

} // namespace

TEST(OB_DecodeString, TableCases)
{
    struct Case
    {
        int codePage;
        std::string bytes;
        int capacity; // -1: no output, only counting
        bool errBreak;
        Outcome outcome;
        std::wstring text;
    } const cases[] = {
        {932, "\x82\xA0", 4, true, {1, 2, 1}, L"\u3042"},
        {932, "\x82", 4, true, {1, 0, 0}, L""},                     // the trail byte has not arrived
        {932, "a\x82\xA0z", -1, true, {1, 4, 3}, L""},              // counting only
        {932, "a\x82\xA0z", 0, true, {1, 4, 3}, L""},               // capacity 0 counts as well
        {932, "a\x82\xA0z", 2, true, {1, 3, 2}, L"a\u3042"},        // the output is full
        {932, "\x85\x40", 4, true, {0, 0, 0}, L""},                 // a lead byte's hole
        {932, "x\x85\x40", 4, false, {1, 3, 2}, L"x?"},
        {932, "\x81\x20", 4, true, {0, 0, 0}, L""},                 // below the lead byte's first range
        {874, "ab\xDB", 4, true, {0, 2, 2}, L"ab"},
        {874, "ab\xDB", 4, false, {1, 3, 3}, L"ab?"},
        {874, "\x80\xA1", 4, true, {1, 2, 2}, L"\u20AC\u0E01"},
        {1252, "\x80\x81", 4, true, {0, 1, 1}, L"\u20AC"},
        {1252, "", 4, true, {1, 0, 0}, L""},
        {949, "\xB0\xA1\xA2\xE6", 4, true, {1, 4, 2}, L"\uAC00\u20AC"},
        {936, "\xD6\xD0\xCE\xC4", 4, true, {1, 4, 2}, L"\u4E2D\u6587"},
        {950, "\xA4\xA4\xA4\xE5", 4, true, {1, 4, 2}, L"\u4E2D\u6587"},
        {65001, "a\xC3\xA9\xF0\x9F\x98\x80", 4, true, {1, 7, 3}, L"a\u00E9\U0001F600"},
        {933, "abc", 4, true, {-1, 0, 0}, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.codePage << " " << ::testing::PrintToString(c.bytes) << " capacity "
                                          << c.capacity << (c.errBreak ? " errBreak" : ""));
        std::wstring text;
        ExpectOutcome(Decode(c.codePage, c.bytes, text, c.capacity, c.errBreak), c.outcome);
        EXPECT_EQ(text, c.text);
    }
}

TEST(OB_EncodeString, TableCases)
{
    struct Case
    {
        int codePage;
        std::wstring text;
        int capacity;
        bool errBreak;
        Outcome outcome;
        std::string bytes;
    } const cases[] = {
        {932, L"a\u3042", 8, true, {1, 2, 3}, "a\x82\xA0"},
        {932, L"a\u3042", -1, true, {1, 2, 3}, ""},
        {932, L"a\u3042", 2, true, {1, 1, 1}, "a"},                 // no room for the second byte
        {932, L"\u2170", 8, true, {1, 1, 2}, "\xFA\x40"},          // the IBM row, not its NEC-selected copy
        {1252, L"\u20AC", 8, true, {1, 1, 1}, "\x80"},
        // Characters outside every range of the table stop the call; they never become FF FF.
        {1252, L"a\u4E00b", 8, true, {0, 1, 1}, "a"},
        {1252, L"a\u4E00b", 8, false, {1, 3, 3}, "a?b"},
        {1252, L"a\uFFFF", 8, true, {0, 1, 1}, "a"},
        {1252, L"a\uFEFF", 8, true, {0, 1, 1}, "a"},
        {936, std::wstring(1, static_cast<wchar_t>(0x1F600)), 8, true, {0, 0, 0}, ""},
        {936, std::wstring{L'a', static_cast<wchar_t>(-5)}, 8, false, {1, 2, 2}, "a?"},
        {949, L"\uAC00", 8, true, {1, 1, 2}, "\xB0\xA1"},
        {65001, L"\u00E9\U0001F600", 8, true, {1, 2, 6}, "\xC3\xA9\xF0\x9F\x98\x80"},
        {65001, L"\u00E9\U0001F600", 5, true, {1, 1, 2}, "\xC3\xA9"},
        {1250, L"", 8, true, {1, 0, 0}, ""},
        {42, L"a", 8, true, {-1, 0, 0}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.codePage << " " << ::testing::PrintToString(c.bytes) << " capacity "
                                          << c.capacity << (c.errBreak ? " errBreak" : ""));
        std::string bytes;
        ExpectOutcome(Encode(c.codePage, c.text, bytes, c.capacity, c.errBreak), c.outcome);
        EXPECT_EQ(bytes, c.bytes);
    }
}

TEST(OB_DecodeString, BadArguments)
{
    int length = 3;
    wchar_t out[4];
    EXPECT_EQ(OB_DecodeString(1252, "abc", nullptr, out, &length, false), -1);
    EXPECT_EQ(OB_DecodeString(1252, "abc", &length, out, nullptr, false), -1);
    EXPECT_EQ(OB_EncodeString(1252, L"abc", nullptr, nullptr, &length, false), -1);
    int srcLen = 3;
    int dstLen = 4;
    EXPECT_EQ(OB_DecodeString(1252, nullptr, &srcLen, out, &dstLen, false), -1);
    EXPECT_EQ(srcLen, 0);
    EXPECT_EQ(dstLen, 0);
}

// The UTF-16 code pages count their input and output in bytes, two per unit, and pair surrogates.
TEST(OB_DecodeString, Utf16CountsTwoByteUnitsAndPairsSurrogates)
{
    struct Case
    {
        int codePage;
        std::string bytes;
        bool errBreak;
        Outcome outcome;
        std::wstring text;
    } const cases[] = {
        {1200, std::string("A\0\x3D\xD8\x00\xDE", 6), true, {1, 6, 2}, L"A\U0001F600"},
        {1201, std::string("\0A\xD8\x3D\xDE\x00", 6), true, {1, 6, 2}, L"A\U0001F600"},
        {1200, std::string("A\0B", 3), true, {1, 2, 1}, L"A"},                  // an odd last byte waits
        {1200, std::string("A\0\x3D\xD8", 4), true, {1, 2, 1}, L"A"},           // so does a pair's first half
        {1200, std::string("A\0\x00\xDE" "B\0", 6), true, {0, 2, 1}, L"A"},      // a lone second half
        {1200, std::string("A\0\x00\xDE" "B\0", 6), false, {1, 6, 3}, L"A\uFFFDB"},
        {1200, std::string("\x3D\xD8" "B\0", 4), false, {1, 4, 2}, L"\uFFFDB"},  // a lone first half
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.codePage << " " << ::testing::PrintToString(c.bytes));
        std::wstring text;
        ExpectOutcome(Decode(c.codePage, c.bytes, text, 8, c.errBreak), c.outcome);
        EXPECT_EQ(text, c.text);
    }
}

TEST(OB_EncodeString, Utf16CountsTwoByteUnitsAndPairsSurrogates)
{
    struct Case
    {
        int codePage;
        std::wstring text;
        int capacity;
        bool errBreak;
        Outcome outcome;
        std::string bytes;
    } const cases[] = {
        {1200, L"A\U0001F600", 8, true, {1, 2, 6}, std::string("A\0\x3D\xD8\x00\xDE", 6)},
        {1201, L"A\U0001F600", 8, true, {1, 2, 6}, std::string("\0A\xD8\x3D\xDE\x00", 6)},
        {1200, L"A\U0001F600", -1, true, {1, 2, 6}, ""},
        {1200, L"A\U0001F600", 5, true, {1, 1, 2}, std::string("A\0", 2)},     // the pair does not fit
        {1200, std::wstring{L'A', static_cast<wchar_t>(0xDC00)}, 8, true, {0, 1, 2}, std::string("A\0", 2)},
        {1201, std::wstring{static_cast<wchar_t>(0x110000)}, 8, false, {1, 1, 2}, "\xFF\xFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.codePage << " capacity " << c.capacity);
        std::string bytes;
        ExpectOutcome(Encode(c.codePage, c.text, bytes, c.capacity, c.errBreak), c.outcome);
        EXPECT_EQ(bytes, c.bytes);
    }
}

// Every double-byte character survives the round trip through both directions.
TEST(OB_DecodeString, EveryMappedCodeRoundTrips)
{
    for (int codePage : {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        const _OB_CODEPAGE* page = OB_GetCodePage(static_cast<uint16_t>(codePage));
        ASSERT_NE(page, nullptr);
        int mismatches = 0;
        for (uint32_t code = page->pHeader->dwMinCharcode; code <= page->pHeader->dwMaxCharcode; ++code) {
            const uint16_t unicode = OB_CodePage_GetUnicode(page, static_cast<uint16_t>(code));
            if (unicode == OB_CODEPAGE_NOMAPPING)
                continue;
            const uint16_t back = OB_CodePage_GetCharcode(page, unicode);
            // Duplicates encode to one of their codes, which decodes to the same character.
            if (OB_CodePage_GetUnicode(page, back) != unicode && ++mismatches <= 5)
                ADD_FAILURE() << codePage << ": 0x" << std::hex << code << " -> U+" << unicode << " -> 0x" << back;
        }
        EXPECT_EQ(mismatches, 0) << codePage;
    }
}
