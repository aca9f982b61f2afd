#include "COB_ByteString.h"
#include "COB_WideString.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::wstring Text(const COB_WideString& s)
{
    return std::wstring(s.c_str(), static_cast<size_t>(s.GetLength()));
}

std::vector<unsigned> Bytes(const COB_ByteString& s)
{
    std::vector<unsigned> out;
    for (int i = 0; i < s.GetLength(); ++i)
        out.push_back(static_cast<unsigned char>(s.GetAt(i)));
    return out;
}

bool HasBuffer(COB_WideString& s)
{
    return s.GetBuffer(0) != nullptr;
}

COB_WideString ZeroLengthBuffer()
{
    COB_WideString s(L"abc");
    s.Delete(0, 3);
    return s;
}

} // namespace

TEST(COB_WideString, ConstructionTable)
{
    struct Case {
        const char* name;
        COB_WideString value;
        std::wstring text;
    } cases[] = {
        {"null, measured", COB_WideString(static_cast<const wchar_t*>(nullptr), -1), L""},
        {"empty, measured", COB_WideString(L"", -1), L""},
        {"measured", COB_WideString(L"abc"), L"abc"},
        {"explicit length with a 0", COB_WideString(L"a\0b", 3), std::wstring(L"a\0b", 3)},
        {"length 0", COB_WideString(L"abc", 0), L""},
        {"one character", COB_WideString(static_cast<wchar_t>(0x1F600)), std::wstring(1, 0x1F600)},
        {"view", COB_WideString(COB_WideStringC(L"hello", 4)), L"hell"},
        {"two views", COB_WideString(COB_WideStringC(L"ab"), COB_WideStringC(L"cd")), L"abcd"},
        {"two empty views", COB_WideString(COB_WideStringC(), COB_WideStringC(L"")), L""},
    };
    for (auto& c : cases) {
        EXPECT_EQ(Text(c.value), c.text) << c.name;
        EXPECT_EQ(HasBuffer(c.value), !c.text.empty()) << c.name;
    }
    // The character pointer is never null.
    EXPECT_NE(static_cast<const wchar_t*>(COB_WideString()), nullptr);

    // InitStr on a string that already holds text, from a slice of that very text (a block
    // large enough to go back to the system when freed).
    std::wstring big(100000, L'x');
    big[1] = L'y';
    COB_WideString own(big.c_str());
    own.InitStr(own.c_str() + 1, -1);
    EXPECT_EQ(Text(own), big.substr(1));
    own.InitStr(own.c_str(), 2);
    EXPECT_EQ(Text(own), L"yx");
}

TEST(COB_WideString, CopiesShareUntilWritten)
{
    COB_WideString a(L"hello");
    COB_WideString b(a);
    EXPECT_EQ(a.c_str(), b.c_str());
    b.SetAt(0, L'j');
    EXPECT_EQ(Text(a), L"hello");
    EXPECT_EQ(Text(b), L"jello");

    struct Change {
        const char* name;
        void (*apply)(COB_WideString&);
    } changes[] = {
        {"+=", [](COB_WideString& s) { s += L'!'; }},
        {"Insert", [](COB_WideString& s) { s.Insert(0, L'>'); }},
        {"Delete", [](COB_WideString& s) { s.Delete(0, 1); }},
        {"Remove", [](COB_WideString& s) { s.Remove(L'l'); }},
        {"Replace grows", [](COB_WideString& s) { s.Replace(L"l", L"LL"); }},
        {"Replace shrinks", [](COB_WideString& s) { s.Replace(L"ll", L"L"); }},
        {"MakeUpper", [](COB_WideString& s) { s.MakeUpper(); }},
        {"TrimRight", [](COB_WideString& s) { s.TrimRight(L'o'); }},
        {"TrimLeft", [](COB_WideString& s) { s.TrimLeft(L'h'); }},
        {"Reserve then write", [](COB_WideString& s) { s.Reserve(1); s.LockBuffer()[0] = L'X'; }},
    };
    for (auto& change : changes) {
        COB_WideString copy(a);
        change.apply(copy);
        EXPECT_EQ(Text(a), L"hello") << change.name;
        EXPECT_NE(Text(copy), L"hello") << change.name;
    }

    // A locked buffer is copied, never shared.
    COB_WideString locked(L"abc");
    wchar_t* p = locked.LockBuffer();
    COB_WideString copy(locked);
    p[0] = L'z';
    EXPECT_EQ(Text(copy), L"abc");
    EXPECT_EQ(Text(locked), L"zbc");
}

TEST(COB_WideString, AppendingGrowsByHalfTheCapacity)
{
    // One character at a time from empty: the buffer moves at the 1st, 2nd, 4th, 5th, 7th and
    // 10th character (capacities 1, 3, 4, 6, 9, 13).
    COB_WideString s;
    std::vector<int> moves;
    const wchar_t* last = nullptr;
    for (int i = 1; i <= 14; ++i) {
        s += static_cast<wchar_t>(L'a' + i);
        if (s.c_str() != last)
            moves.push_back(i);
        last = s.c_str();
    }
    EXPECT_EQ(moves, (std::vector<int>{1, 2, 4, 5, 7, 10, 14}));
    EXPECT_EQ(s.GetLength(), 14);

    // Appending to a shared string copies; the string appended to itself works.
    COB_WideString a(L"ab");
    COB_WideString b(a);
    b += b;
    b += COB_WideStringC(L"!");
    b += static_cast<const wchar_t*>(nullptr);
    EXPECT_EQ(Text(a), L"ab");
    EXPECT_EQ(Text(b), L"abab!");
}

TEST(COB_WideString, ReserveKeepsTheText)
{
    COB_WideString a(L"hello");
    COB_WideString b(a);
    b.Reserve(2);
    EXPECT_NE(b.c_str(), a.c_str());
    EXPECT_EQ(Text(b), L"hello");
    COB_WideString c(a);
    c.Reserve(0);
    EXPECT_EQ(Text(c), L"hello");

    // On an empty string the reserved buffer stays, with length 0, and is filled in place.
    COB_WideString e;
    e.Reserve(10);
    EXPECT_TRUE(HasBuffer(e));
    EXPECT_EQ(e.GetLength(), 0);
    const wchar_t* p = e.c_str();
    e += L"0123456789";
    EXPECT_EQ(e.c_str(), p);
}

TEST(COB_WideString, FindTable)
{
    const COB_WideString hello(L"hello");
    const COB_WideString nul(L"ab\0cd", 5);
    struct Case {
        const char* name;
        int found;
        int expected;
    } cases[] = {
        {"empty sub at start", hello.Find(L"", 2), 2},
        {"empty sub at the end", hello.Find(L"", 5), 5},
        {"start past the end", hello.Find(L"lo", 6), -1},
        {"char at the end", hello.Find(L'o', 5), -1},
        {"char", hello.Find(L'l'), 2},
        {"char from start", hello.Find(L'l', 3), 3},
        {"sub", hello.Find(L"lo"), 3},
        {"sub too long", hello.Find(L"hello!"), -1},
        {"sub after 0 is not found", nul.Find(L"cd"), -1},
        {"sub from behind the 0", nul.Find(L"cd", 3), 3},
        {"0 character", nul.Find(L'\0'), 2},
        {"char after 0 is not found", nul.Find(L'c'), -1},
        {"terminator", hello.Find(L'\0'), 5},
        {"empty string", COB_WideString().Find(L""), -1},
    };
    for (auto& c : cases)
        EXPECT_EQ(c.found, c.expected) << c.name;

    // Long text, match near the end, scanned in pieces.
    std::wstring big(100000, L'x');
    big.replace(99990, 3, L"abc");
    const COB_WideString longText(big.c_str(), static_cast<int>(big.size()));
    EXPECT_EQ(longText.Find(L"abc"), 99990);
    EXPECT_EQ(longText.Find(L"abcx", 99991), -1);
    EXPECT_EQ(longText.Find(L"xxab"), 99988);
}

TEST(COB_WideString, ComparisonTable)
{
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        int compare;
    } cases[] = {
        {L"ab", L"abc", -1}, {L"ab", L"ab", 0}, {L"ab", L"aa", 1}, {L"", L"", 0}, {L"", L"a", -1}, {L"a", L"", 1},
    };
    for (auto& c : cases) {
        const COB_WideString a(c.a);
        const COB_WideString b(c.b);
        SCOPED_TRACE(std::string(a.UTF8Encode().c_str()) + " vs " + b.UTF8Encode().c_str());
        EXPECT_EQ(a.Compare(b), c.compare);
        EXPECT_EQ(a.Compare(c.b), c.compare);
        EXPECT_EQ(a < b, c.compare < 0);
        EXPECT_EQ(a == b, c.compare == 0);
        EXPECT_EQ(a == c.b, c.compare == 0);
        EXPECT_EQ(c.b == a, c.compare == 0);
        EXPECT_EQ(a != COB_WideStringC(c.b), c.compare != 0);
    }
    // Characters compare as signed values.
    const wchar_t negative[] = {static_cast<wchar_t>(-1), 0};
    EXPECT_EQ(COB_WideString(negative).Compare(COB_WideString(L"a")), -1);

    EXPECT_EQ(COB_WideString().Compare(static_cast<const wchar_t*>(nullptr)), 0);
    EXPECT_EQ(COB_WideString(L"hello").CompareNoCase(L"HELLO"), 0);
    EXPECT_EQ(COB_WideString(L"a").CompareNoCase(L"b"), -1);
    EXPECT_EQ(COB_WideString(L"a").CompareNoCase(L"C"), -2);
    EXPECT_EQ(COB_WideString(L"c").CompareNoCase(L"b"), 1);
    EXPECT_EQ(COB_WideString().CompareNoCase(L"x"), -1);
    EXPECT_EQ(COB_WideString().CompareNoCase(nullptr), 0);
    EXPECT_TRUE(COB_WideString() == static_cast<const wchar_t*>(nullptr));
}

TEST(COB_WideString, EmptyWithAndWithoutBufferAreTheSame)
{
    COB_WideString none;
    COB_WideString zero = ZeroLengthBuffer();
    ASSERT_TRUE(HasBuffer(zero));
    EXPECT_TRUE(zero == none);
    EXPECT_FALSE(zero < none);
    EXPECT_FALSE(none < zero);
    EXPECT_EQ(zero.Compare(none), 0);
    EXPECT_EQ(none.Compare(zero), 0);
    EXPECT_TRUE(none < COB_WideString(L"a"));
}

TEST(COB_WideString, EditTable)
{
    struct Case {
        const char* name;
        const wchar_t* start;
        int (*apply)(COB_WideString&);
        int result;
        const wchar_t* text;
    } cases[] = {
        {"Delete(3, 10)", L"hello", [](COB_WideString& s) { return s.Delete(3, 10); }, 3, L"hel"},
        {"Delete(7, 1)", L"hello", [](COB_WideString& s) { return s.Delete(7, 1); }, 5, L"hello"},
        {"Delete(1, 0)", L"hello", [](COB_WideString& s) { return s.Delete(1, 0); }, 5, L"hello"},
        {"Delete(-1, 2)", L"hello", [](COB_WideString& s) { return s.Delete(-1, 2); }, 3, L"llo"},
        {"Delete(1, 2)", L"hello", [](COB_WideString& s) { return s.Delete(1, 2); }, 3, L"hlo"},
        {"Delete on empty", L"", [](COB_WideString& s) { return s.Delete(0, 1); }, 0, L""},
        {"Insert(-4, x)", L"ab", [](COB_WideString& s) { return s.Insert(-4, L'x'); }, 3, L"xab"},
        {"Insert(99, x)", L"ab", [](COB_WideString& s) { return s.Insert(99, L'x'); }, 3, L"abx"},
        {"Remove(a)", L"banana", [](COB_WideString& s) { return s.Remove(L'a'); }, 3, L"bnn"},
        {"SetAt(5)", L"hello", [](COB_WideString& s) { s.SetAt(5, L'x'); return 0; }, 0, L"hello"},
        {"SetAt(-1)", L"hello", [](COB_WideString& s) { s.SetAt(-1, L'x'); return 0; }, 0, L"hello"},
        {"MakeUpper", L"a\x00e4z", [](COB_WideString& s) { s.MakeUpper(); return 0; }, 0, L"A\x00e4Z"},
        {"MakeLower", L"AbC", [](COB_WideString& s) { s.MakeLower(); return 0; }, 0, L"abc"},
    };
    for (auto& c : cases) {
        COB_WideString s(c.start);
        EXPECT_EQ(c.apply(s), c.result) << c.name;
        EXPECT_EQ(Text(s), c.text) << c.name;
    }

    const COB_WideString hello(L"hello");
    EXPECT_EQ(Text(hello.Mid(-3, 2)), L"he");
    EXPECT_EQ(Text(hello.Mid(2, 100)), L"llo");
    EXPECT_EQ(Text(hello.Mid(6, 1)), L"");
    EXPECT_EQ(Text(hello.Mid(3)), L"lo");
    EXPECT_EQ(Text(hello.Left(2)), L"he");
    EXPECT_EQ(Text(hello.Right(2)), L"lo");
    EXPECT_EQ(hello.Mid(0, 5).c_str(), hello.c_str());
    EXPECT_EQ(hello.Left(9).c_str(), hello.c_str());
}

TEST(COB_WideString, ReplaceTable)
{
    struct Case {
        std::wstring start;
        const wchar_t* oldText;
        const wchar_t* newText;
        int count;
        std::wstring text;
    } cases[] = {
        {L"aa", L"a", L"aa", 2, L"aaaa"},
        {L"banana", L"a", nullptr, 3, L"bnn"},
        {L"aaaa", L"aa", L"b", 2, L"bb"},
        {L"aaa", L"a", L"", 3, L""},
        {L"abc", L"", L"x", 0, L"abc"},
        {L"abc", nullptr, L"x", 0, L"abc"},
        {L"xabxab", L"ab", L"abab", 2, L"xababxabab"},
        // Matches end at the first 0 character; the text behind it moves along unchanged.
        {std::wstring(L"aXa\0a", 5), L"a", L"bb", 2, std::wstring(L"bbXbb\0a", 7)},
    };
    for (auto& c : cases) {
        COB_WideString s(c.start.data(), static_cast<int>(c.start.size()));
        EXPECT_EQ(s.Replace(c.oldText, c.newText), c.count) << s.UTF8Encode().c_str();
        EXPECT_EQ(Text(s), c.text) << s.UTF8Encode().c_str();
    }

    // With room, growing and shrinking happen in place.
    COB_WideString roomy(L"a-b-c");
    roomy.Reserve(20);
    const wchar_t* p = roomy.c_str();
    EXPECT_EQ(roomy.Replace(L"-", L"<->"), 2);
    EXPECT_EQ(Text(roomy), L"a<->b<->c");
    EXPECT_EQ(roomy.c_str(), p);
    EXPECT_EQ(roomy.Replace(L"<->", L""), 2);
    EXPECT_EQ(Text(roomy), L"abc");
    EXPECT_EQ(roomy.c_str(), p);
    // A result of length 0 keeps its buffer.
    EXPECT_EQ(roomy.Replace(L"abc", L""), 1);
    EXPECT_TRUE(HasBuffer(roomy));
    EXPECT_EQ(roomy.GetLength(), 0);

    // Replacement text taken from the string itself, with room to grow or shrink in place.
    struct OwnText {
        const wchar_t* start;
        const wchar_t* oldText;
        int newAt;
        const wchar_t* text;
    } own[] = {
        {L"a-bc", L"-", 2, L"abcbc"},
        {L"a-b-cd", L"-", 4, L"acdbcdcd"},
        {L"xxab", L"xx", 2, L"abab"},
        {L"ab--", L"--", 0, L"abab--"},
    };
    for (auto& c : own) {
        COB_WideString s(c.start);
        s.Reserve(40);
        s.Replace(c.oldText, s.c_str() + c.newAt);
        EXPECT_EQ(Text(s), c.text) << s.UTF8Encode().c_str();
    }

    // Many matches; the other holder of the buffer keeps its text.
    const std::wstring many(1000, L'a');
    const COB_WideString original(many.c_str());
    COB_WideString copy(original);
    EXPECT_EQ(copy.Replace(L"a", L"xy"), 1000);
    EXPECT_EQ(copy.GetLength(), 2000);
    EXPECT_EQ(original.GetLength(), 1000);
    EXPECT_EQ(copy.Replace(L"xy", L"z"), 1000);
    EXPECT_EQ(Text(copy), std::wstring(1000, L'z'));
}

TEST(COB_WideString, ReplaceRefusesResultsBeyondTheLengthLimit)
{
    // 2^20 matches each growing by 4095 characters: 2^32 in all, which 32-bit arithmetic sees
    // as 0 and would then write far past the block. Refused; no write happens.
    const int count = 1 << 20;
    COB_WideString s(std::wstring(count, L'a').c_str());
    const std::wstring bigger(4096, L'b');
    EXPECT_EQ(s.Replace(L"a", bigger.c_str()), 0);
    EXPECT_EQ(s.GetLength(), 0);
}

TEST(COB_WideString, TrimTable)
{
    struct Case {
        const char* name;
        std::wstring start;
        void (*apply)(COB_WideString&);
        std::wstring text;
    } cases[] = {
        {"TrimRight() all blank", L" \t ", [](COB_WideString& s) { s.TrimRight(); }, L""},
        {"TrimLeft()", L"\r\n a ", [](COB_WideString& s) { s.TrimLeft(); }, L"a "},
        {"TrimRight()", L" a\v\f", [](COB_WideString& s) { s.TrimRight(); }, L" a"},
        {"TrimLeft(xy)", L"xyxab", [](COB_WideString& s) { s.TrimLeft(L"xy"); }, L"ab"},
        {"TrimRight(x)", L"axx", [](COB_WideString& s) { s.TrimRight(L'x'); }, L"a"},
        {"TrimRight(empty set)", L"a  ", [](COB_WideString& s) { s.TrimRight(L""); }, L"a  "},
        {"TrimRight(null set)", L"a  ", [](COB_WideString& s) { s.TrimRight(static_cast<const wchar_t*>(nullptr)); },
         L"a  "},
        // A 0 character always counts as a member at the end; at the start it ends the walk.
        {"TrimRight removes 0", std::wstring(L"a \0", 3), [](COB_WideString& s) { s.TrimRight(); }, L"a"},
        {"TrimLeft stops at 0", std::wstring(L" \0 a", 4), [](COB_WideString& s) { s.TrimLeft(); },
         std::wstring(L"\0 a", 3)},
    };
    for (auto& c : cases) {
        COB_WideString s(c.start.data(), static_cast<int>(c.start.size()));
        c.apply(s);
        EXPECT_EQ(Text(s), c.text) << c.name;
    }
}

TEST(COB_WideString, Utf16EncodingTable)
{
    const wchar_t emoji[] = {L'A', static_cast<wchar_t>(0x1F600), 0};
    const wchar_t bmp[] = {0x20AC, 0xD800, 0xFFFF, 0};
    struct Case {
        const char* name;
        COB_WideString text;
        bool terminator;
        std::vector<unsigned> bytes;
    } cases[] = {
        {"AB with terminator", COB_WideString(L"AB"), true, {0x41, 0, 0x42, 0, 0, 0}},
        {"AB", COB_WideString(L"AB"), false, {0x41, 0, 0x42, 0}},
        {"empty with terminator", COB_WideString(), true, {0, 0}},
        {"empty", COB_WideString(), false, {}},
        // Beyond the basic plane: a surrogate pair, high unit first.
        {"pair", COB_WideString(emoji), false, {0x41, 0, 0x3D, 0xD8, 0x00, 0xDE}},
        {"U+10FFFF", COB_WideString(static_cast<wchar_t>(0x10FFFF)), false, {0xFF, 0xDB, 0xFF, 0xDF}},
        // Inside the basic plane every character is its own unit, a lone surrogate included.
        {"basic plane", COB_WideString(bmp), false, {0xAC, 0x20, 0x00, 0xD8, 0xFF, 0xFF}},
    };
    for (auto& c : cases)
        EXPECT_EQ(Bytes(c.text.UTF16LE_Encode(c.terminator)), c.bytes) << c.name;
}

TEST(COB_WideString, Utf16DecodingTable)
{
    const unsigned short pair[] = {0x0041, 0xD83D, 0xDE00, 0};
    const unsigned short lone[] = {0xDE00, 0xD83D, 0x0042, 0xD83D, 0};
    const unsigned short be[] = {0x4100, 0x3DD8, 0x00DE, 0};
    const unsigned short withZero[] = {0x0061, 0, 0x0062};
    struct Case {
        const char* name;
        COB_WideString text;
        std::wstring expected;
    } cases[] = {
        {"pair joined", COB_WideString::FromUTF16LE(pair, 3), std::wstring{L'A', static_cast<wchar_t>(0x1F600)}},
        {"measured", COB_WideString::FromUTF16LE(pair, -1), std::wstring{L'A', static_cast<wchar_t>(0x1F600)}},
        {"pair cut by the length", COB_WideString::FromUTF16LE(pair, 2), std::wstring{L'A', 0xD83D}},
        {"lone surrogates kept", COB_WideString::FromUTF16LE(lone, -1), std::wstring{0xDE00, 0xD83D, L'B', 0xD83D}},
        {"big-endian", COB_WideString::FromUTF16BE(be, -1), std::wstring{L'A', static_cast<wchar_t>(0x1F600)}},
        {"explicit length keeps 0", COB_WideString::FromUTF16LE(withZero, 3), std::wstring(L"a\0b", 3)},
        {"null", COB_WideString::FromUTF16LE(nullptr, 5), L""},
        {"length 0", COB_WideString::FromUTF16LE(pair, 0), L""},
    };
    for (auto& c : cases)
        EXPECT_EQ(Text(c.text), c.expected) << c.name;

    EXPECT_EQ(COB_WideString::WStringLength(pair), 3);
    EXPECT_EQ(COB_WideString::WStringLength(nullptr), 0);

    // Round trip through the bytes.
    const wchar_t mixed[] = {L'x', static_cast<wchar_t>(0x10000), 0x00E9, static_cast<wchar_t>(0x10FFFF), 0};
    const COB_ByteString bytes = COB_WideString(mixed).UTF16LE_Encode(false);
    const COB_WideString back = COB_WideString::FromUTF16LE(
        reinterpret_cast<const unsigned short*>(bytes.c_str()), bytes.GetLength() / 2);
    EXPECT_EQ(Text(back), std::wstring(mixed));
}

TEST(COB_WideString, NumbersAndOtherConversions)
{
    struct Case {
        const wchar_t* text;
        int value;
    } integers[] = {
        {L"+42x", 42}, {L"-7", -7}, {L" 5", 0}, {L"-x", 0}, {L"", 0}, {L"4294967297", 1}, {L"-2147483648", INT32_MIN},
    };
    for (auto& c : integers)
        EXPECT_EQ(COB_WideString(c.text).GetInteger(), c.value) << c.text;
    EXPECT_FLOAT_EQ(COB_WideString(L"-12.5").GetFloat(), -12.5f);
    EXPECT_FLOAT_EQ(COB_WideString().GetFloat(), 0.0f);

    // UTF-8 in and out; FromUTF8 with a negative length stops at the first 0 byte.
    const COB_WideString decoded = COB_WideString::FromUTF8("A\xc3\xa9\xf0\x9f\x98\x80\0B", -1);
    EXPECT_EQ(Text(decoded), (std::wstring{L'A', 0xE9, static_cast<wchar_t>(0x1F600)}));
    EXPECT_EQ(Text(COB_WideString::FromUTF8("a\0b", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(COB_WideString::FromUTF8(nullptr, 4).GetLength(), 0);
    EXPECT_EQ(Bytes(decoded.UTF8Encode()), (std::vector<unsigned>{0x41, 0xC3, 0xA9, 0xF0, 0x9F, 0x98, 0x80}));
    EXPECT_EQ(COB_WideString().UTF8Encode().GetLength(), 0);

    EXPECT_EQ(Text(COB_WideString::FromLocal("plain", -1)), L"plain");
    EXPECT_EQ(Text(COB_WideString::FromLocal("plain", 2)), L"pl");
    COB_WideString w(L"x");
    w.ConvertFrom(COB_ByteString());
    EXPECT_EQ(w.GetLength(), 0);
}
