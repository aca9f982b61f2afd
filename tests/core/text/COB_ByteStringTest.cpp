#include "COB_ByteString.h"
#include "COB_WideString.h"
#include "Sandbox.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Text(const COB_ByteString& s)
{
    return std::string(s.c_str(), static_cast<size_t>(s.GetLength()));
}

// True when the string holds a buffer (GetBuffer(0) answers null only without one).
bool HasBuffer(COB_ByteString& s)
{
    return s.GetBuffer(0) != nullptr;
}

// A buffer of length 0: what the in-place editors leave behind.
COB_ByteString ZeroLengthBuffer()
{
    COB_ByteString s("abc");
    s.Delete(0, 3);
    return s;
}

} // namespace

TEST(COB_ByteString, ConstructionTable)
{
    const unsigned char raw[] = {'x', 0, 'y'};
    struct Case {
        const char* name;
        COB_ByteString value;
        std::string text;
    } cases[] = {
        {"null, measured", COB_ByteString(static_cast<const char*>(nullptr), -1), ""},
        {"empty text, measured", COB_ByteString("", -1), ""},
        {"measured", COB_ByteString("abc"), "abc"},
        {"explicit length", COB_ByteString("abcdef", 2), "ab"},
        {"length 0", COB_ByteString("abc", 0), ""},
        {"unsigned with 0 bytes", COB_ByteString(raw, 3), std::string("x\0y", 3)},
        {"unsigned, negative length is empty", COB_ByteString(raw, -1), ""},
        {"zero character", COB_ByteString('\0'), std::string(1, '\0')},
        {"view", COB_ByteString(COB_ByteStringC("hello", 4)), "hell"},
        {"two views", COB_ByteString(COB_ByteStringC("ab"), COB_ByteStringC("cd")), "abcd"},
        {"two empty views", COB_ByteString(COB_ByteStringC(), COB_ByteStringC("")), ""},
    };
    for (auto& c : cases) {
        EXPECT_EQ(Text(c.value), c.text) << c.name;
        EXPECT_EQ(c.value.GetLength(), static_cast<int>(c.text.size())) << c.name;
        // Every empty result is stored without a buffer.
        EXPECT_EQ(HasBuffer(c.value), !c.text.empty()) << c.name;
    }
}

TEST(COB_ByteString, AssignmentForms)
{
    COB_ByteString s("start");
    s = "";
    EXPECT_FALSE(HasBuffer(s));
    s = static_cast<const char*>(nullptr);
    EXPECT_FALSE(HasBuffer(s));
    s = COB_ByteStringC("xyz");
    EXPECT_EQ(Text(s), "xyz");

    // An owned buffer large enough is reused in place.
    const char* before = s.c_str();
    s = "ab";
    EXPECT_EQ(s.c_str(), before);
    EXPECT_EQ(Text(s), "ab");

    // Assigning a view of the string's own text is safe.
    s = "hello world";
    s = COB_ByteStringC(s.c_str() + 6, 5);
    EXPECT_EQ(Text(s), "world");

    s.Load(reinterpret_cast<const unsigned char*>("q"), 0);
    EXPECT_FALSE(HasBuffer(s));

    // Loading a slice of the string's own text: the old block is large enough to be returned to
    // the system when freed, so reading it afterwards would not give the text back.
    std::string big(300000, 'x');
    big[1] = 'y';
    COB_ByteString own(big.c_str());
    own.Load(own.GetPtr() + 1, own.GetLength() - 1);
    EXPECT_EQ(Text(own), big.substr(1));
}

TEST(COB_ByteString, CopiesShareUntilWritten)
{
    COB_ByteString a("hello");
    COB_ByteString b(a);
    COB_ByteString c;
    c = a;
    EXPECT_EQ(a.c_str(), b.c_str());
    EXPECT_EQ(a.c_str(), c.c_str());

    b.SetAt(0, 'j');
    EXPECT_EQ(Text(a), "hello");
    EXPECT_EQ(Text(b), "jello");
    EXPECT_NE(a.c_str(), b.c_str());
    EXPECT_EQ(a.c_str(), c.c_str());

    // Each kind of change unshares.
    struct Change {
        const char* name;
        void (*apply)(COB_ByteString&);
    } changes[] = {
        {"+=", [](COB_ByteString& s) { s += '!'; }},
        {"Insert", [](COB_ByteString& s) { s.Insert(0, '>'); }},
        {"Delete", [](COB_ByteString& s) { s.Delete(0, 1); }},
        {"Remove", [](COB_ByteString& s) { s.Remove('l'); }},
        {"Replace", [](COB_ByteString& s) { s.Replace("ll", "LL"); }},
        {"MakeUpper", [](COB_ByteString& s) { s.MakeUpper(); }},
        {"TrimRight", [](COB_ByteString& s) { s.TrimRight('o'); }},
        {"TrimLeft", [](COB_ByteString& s) { s.TrimLeft('h'); }},
        {"GetBuffer", [](COB_ByteString& s) { s.GetBuffer(1)[0] = 'X'; }},
    };
    for (auto& change : changes) {
        COB_ByteString copy(a);
        change.apply(copy);
        EXPECT_EQ(Text(a), "hello") << change.name;
        EXPECT_NE(Text(copy), "hello") << change.name;
    }
}

TEST(COB_ByteString, LockedBufferIsNeverShared)
{
    COB_ByteString s("abc");
    char* locked = s.LockBuffer();
    ASSERT_NE(locked, nullptr);
    COB_ByteString copy(s);
    COB_ByteString assigned;
    assigned = s;
    COB_ByteString whole = s.Mid(0, 3);
    EXPECT_NE(copy.c_str(), s.c_str());
    EXPECT_NE(assigned.c_str(), s.c_str());
    EXPECT_NE(whole.c_str(), s.c_str());
    locked[0] = 'z';
    EXPECT_EQ(Text(s), "zbc");
    EXPECT_EQ(Text(copy), "abc");
    EXPECT_EQ(Text(assigned), "abc");
    EXPECT_EQ(Text(whole), "abc");

    COB_ByteString empty;
    EXPECT_EQ(empty.LockBuffer(), nullptr);
}

TEST(COB_ByteString, ConcatenationGrowsByHalfTheLength)
{
    // Length 10 in an exact buffer; one more character moves it into room for 15.
    COB_ByteString s("0123456789");
    const char* exact = s.c_str();
    s += 'a';
    const char* grown = s.c_str();
    EXPECT_NE(grown, exact);
    s += "bcd";
    s += 'e';
    EXPECT_EQ(s.c_str(), grown);
    EXPECT_EQ(s.GetLength(), 15);
    s += 'f';
    EXPECT_NE(s.c_str(), grown);
    EXPECT_EQ(Text(s), "0123456789abcdef");

    // Eight characters at once outgrow half the length: room for exactly 18.
    COB_ByteString t("0123456789");
    t += "abcdefgh";
    const char* p = t.c_str();
    t.ConcatInPlace(0, "x");
    EXPECT_EQ(t.c_str(), p);
    t += 'x';
    EXPECT_NE(t.c_str(), p);
    EXPECT_EQ(Text(t), "0123456789abcdefghx");

    // Appending to a shared buffer copies; the other holder keeps its text.
    COB_ByteString a("ab");
    COB_ByteString b(a);
    b += COB_ByteString("cd");
    EXPECT_EQ(Text(a), "ab");
    EXPECT_EQ(Text(b), "abcd");

    // A string appended to itself.
    b += b;
    EXPECT_EQ(Text(b), "abcdabcd");
    b += static_cast<const char*>(nullptr);
    b += COB_ByteStringC();
    EXPECT_EQ(Text(b), "abcdabcd");
}

TEST(COB_ByteString, ComparisonTable)
{
    struct Case {
        const char* a;
        int aLen;
        const char* b;
        int bLen;
        int compare;
    } cases[] = {
        {"ab", 2, "abc", 3, -1}, {"ab", 2, "ab", 2, 0},      {"ab", 2, "aa", 2, 1},
        {"\x80", 1, "a", 1, 1},  {"", 0, "", 0, 0},          {"", 0, "a", 1, -1},
        {"a", 1, "", 0, 1},      {"a\0b", 3, "a\0c", 3, -1}, {"a\0", 2, "a", 1, 1},
    };
    for (auto& c : cases) {
        const COB_ByteString a(c.a, c.aLen);
        const COB_ByteString b(c.b, c.bLen);
        SCOPED_TRACE(std::string(c.a, c.aLen) + " vs " + std::string(c.b, c.bLen));
        EXPECT_EQ(a.Compare(COB_ByteStringC(c.b, c.bLen)), c.compare);
        EXPECT_EQ(a < b, c.compare < 0);
        EXPECT_EQ(a == b, c.compare == 0);
        EXPECT_EQ(a.Equal(COB_ByteStringC(c.b, c.bLen)), c.compare == 0);
    }

    const COB_ByteString abc("abc");
    EXPECT_TRUE(abc.EqualNoCase("ABC"));
    EXPECT_FALSE(abc.EqualNoCase("abd"));
    EXPECT_FALSE(abc.EqualNoCase("ab"));
    EXPECT_FALSE(COB_ByteString("\xC4").EqualNoCase("\xE4"));

    const COB_ByteString empty;
    EXPECT_TRUE(empty == "");
    EXPECT_TRUE(empty == static_cast<const char*>(nullptr));
    EXPECT_FALSE(abc == "ab");
}

TEST(COB_ByteString, EmptyWithAndWithoutBufferAreTheSame)
{
    COB_ByteString none;
    COB_ByteString zero = ZeroLengthBuffer();
    ASSERT_TRUE(HasBuffer(zero));
    ASSERT_EQ(zero.GetLength(), 0);
    EXPECT_TRUE(zero == none);
    EXPECT_TRUE(none == zero);
    EXPECT_FALSE(zero < none);
    EXPECT_FALSE(none < zero);
    EXPECT_EQ(zero.Compare(COB_ByteStringC(none)), 0);
    EXPECT_TRUE(zero < COB_ByteString("a"));
}

TEST(COB_ByteString, FindTable)
{
    const COB_ByteString abc("abc");
    const COB_ByteString hello("hello");
    const COB_ByteString nul("ab\0cb", 5);
    EXPECT_EQ(abc.Find('a', 3), -1);
    EXPECT_EQ(abc.Find('a', 8), -1);
    EXPECT_EQ(abc.Find('\0', 0), 3);
    EXPECT_EQ(abc.Find('c', 1), 2);
    EXPECT_EQ(COB_ByteString().Find('a'), -1);
    // The character search ends at a 0 byte, and finds it.
    EXPECT_EQ(nul.Find('c'), -1);
    EXPECT_EQ(nul.Find('\0'), 2);
    EXPECT_EQ(nul.Find('c', 3), 3);
    // ReverseFind and the substring search cover the whole length.
    EXPECT_EQ(nul.ReverseFind('b'), 4);
    EXPECT_EQ(nul.ReverseFind('\0'), 2);
    EXPECT_EQ(nul.ReverseFind('z'), -1);
    EXPECT_EQ(nul.Find(COB_ByteStringC("cb")), 3);

    EXPECT_EQ(abc.Find(""), -1);
    EXPECT_EQ(hello.Find("lo", 6), -1);
    EXPECT_EQ(hello.Find("lo", 5), -1);
    EXPECT_EQ(hello.Find("l", 3), 3);
    EXPECT_EQ(hello.Find("hello!"), -1);
    EXPECT_EQ(hello.Find("hello"), 0);

    const char text[] = "abcabc";
    EXPECT_EQ(OB_strstr(text, 6, "ca", 2), text + 2);
    EXPECT_EQ(OB_strstr(text, 3, "ca", 2), nullptr);
    EXPECT_EQ(OB_strstr(text, 6, "ca", 0), nullptr);
    EXPECT_EQ(OB_strstr(text, 1, "ab", 2), nullptr);
}

TEST(COB_ByteString, SubstringClampingTable)
{
    const COB_ByteString hello("hello");
    struct Case {
        const char* name;
        COB_ByteString value;
        const char* text;
    } cases[] = {
        {"Mid(-3, 2)", hello.Mid(-3, 2), "he"},  {"Mid(2, 100)", hello.Mid(2, 100), "llo"},
        {"Mid(6, 1)", hello.Mid(6, 1), ""},      {"Mid(5, 1)", hello.Mid(5, 1), ""},
        {"Mid(1, -1)", hello.Mid(1, -1), ""},    {"Mid(2, INT_MAX)", hello.Mid(2, 0x7fffffff), "llo"},
        {"Mid(3)", hello.Mid(3), "lo"},          {"Mid(-9)", hello.Mid(-9), "hello"},
        {"Mid(INT_MIN)", hello.Mid(-0x7fffffff - 1), "hello"},
        {"Left(2)", hello.Left(2), "he"},        {"Left(-1)", hello.Left(-1), ""},
        {"Left(9)", hello.Left(9), "hello"},     {"Right(2)", hello.Right(2), "lo"},
        {"Right(0)", hello.Right(0), ""},        {"Right(5)", hello.Right(5), "hello"},
    };
    for (auto& c : cases)
        EXPECT_EQ(Text(c.value), c.text) << c.name;

    // The whole string comes back sharing the buffer.
    EXPECT_EQ(hello.Mid(0, 5).c_str(), hello.c_str());
    EXPECT_EQ(hello.Mid(-2, 5).c_str(), hello.c_str());
    EXPECT_EQ(hello.Left(5).c_str(), hello.c_str());
    EXPECT_EQ(hello.Right(7).c_str(), hello.c_str());
    EXPECT_NE(hello.Mid(0, 4).c_str(), hello.c_str());
}

TEST(COB_ByteString, EditTable)
{
    struct Case {
        const char* name;
        const char* start;
        int (*apply)(COB_ByteString&);
        int result;
        const char* text;
    } cases[] = {
        {"Delete(3, 10)", "hello", [](COB_ByteString& s) { return s.Delete(3, 10); }, 3, "hel"},
        {"Delete(7, 1)", "hello", [](COB_ByteString& s) { return s.Delete(7, 1); }, 5, "hello"},
        {"Delete(1, 0)", "hello", [](COB_ByteString& s) { return s.Delete(1, 0); }, 5, "hello"},
        {"Delete(-2, 2)", "hello", [](COB_ByteString& s) { return s.Delete(-2, 2); }, 3, "llo"},
        {"Delete(1, 2)", "hello", [](COB_ByteString& s) { return s.Delete(1, 2); }, 3, "hlo"},
        {"Delete(1, INT_MAX)", "hello", [](COB_ByteString& s) { return s.Delete(1, 0x7fffffff); }, 1, "h"},
        {"Delete on empty", "", [](COB_ByteString& s) { return s.Delete(0, 1); }, 0, ""},
        {"Insert(-4, x)", "ab", [](COB_ByteString& s) { return s.Insert(-4, 'x'); }, 3, "xab"},
        {"Insert(99, x)", "ab", [](COB_ByteString& s) { return s.Insert(99, 'x'); }, 3, "abx"},
        {"Insert(1, x)", "ab", [](COB_ByteString& s) { return s.Insert(1, 'x'); }, 3, "axb"},
        {"Insert on empty", "", [](COB_ByteString& s) { return s.Insert(3, 'x'); }, 1, "x"},
        {"Remove(a)", "banana", [](COB_ByteString& s) { return s.Remove('a'); }, 3, "bnn"},
        {"Remove(z)", "banana", [](COB_ByteString& s) { return s.Remove('z'); }, 0, "banana"},
        {"SetAt(5)", "hello", [](COB_ByteString& s) { s.SetAt(5, 'x'); return 0; }, 0, "hello"},
        {"SetAt(-1)", "hello", [](COB_ByteString& s) { s.SetAt(-1, 'x'); return 0; }, 0, "hello"},
        {"SetAt(4)", "hello", [](COB_ByteString& s) { s.SetAt(4, 'x'); return 0; }, 0, "hellx"},
        {"MakeUpper", "aZ\xe4z", [](COB_ByteString& s) { s.MakeUpper(); return 0; }, 0, "AZ\xe4Z"},
        {"MakeLower", "AbC", [](COB_ByteString& s) { s.MakeLower(); return 0; }, 0, "abc"},
    };
    for (auto& c : cases) {
        COB_ByteString s(c.start);
        EXPECT_EQ(c.apply(s), c.result) << c.name;
        EXPECT_EQ(Text(s), c.text) << c.name;
    }

    // Case mapping stops at the first 0 byte.
    COB_ByteString withNul("ab\0cd", 5);
    withNul.MakeUpper();
    EXPECT_EQ(Text(withNul), std::string("AB\0cd", 5));

    // Inserting into a buffer with spare room happens in place.
    COB_ByteString roomy("ab");
    roomy.GetBuffer(10);
    const char* p = roomy.c_str();
    roomy.Insert(0, 'x');
    EXPECT_EQ(roomy.c_str(), p);
    EXPECT_EQ(Text(roomy), "xab");
}

TEST(COB_ByteString, ReplaceTable)
{
    struct Case {
        std::string start;
        const char* oldText;
        const char* newText;
        int count;
        std::string text;
    } cases[] = {
        {"aaaa", "aa", "b", 2, "bb"},
        {"aaa", "a", "", 3, ""},
        {"aaa", "", "x", 0, "aaa"},
        {"aa", "a", "aa", 2, "aaaa"},
        {"banana", "a", nullptr, 3, "bnn"},
        {"banana", "na", "NA", 2, "baNANA"},
        {"abc", "x", "y", 0, "abc"},
        {std::string("a\0a", 3), "a", "bc", 2, std::string("bc\0bc", 5)},
        {"", "a", "b", 0, ""},
    };
    for (auto& c : cases) {
        COB_ByteString s(c.start.data(), static_cast<int>(c.start.size()));
        const COB_ByteStringC newText = c.newText ? COB_ByteStringC(c.newText) : COB_ByteStringC();
        EXPECT_EQ(s.Replace(c.oldText, newText), c.count) << c.start << " " << c.oldText;
        EXPECT_EQ(Text(s), c.text) << c.start << " " << c.oldText;
    }

    // A result of length 0 holds no buffer.
    COB_ByteString gone("aaa");
    gone.Replace("a", "");
    EXPECT_FALSE(HasBuffer(gone));

    // Many matches, and the other holder of a shared buffer is untouched.
    const COB_ByteString original(std::string(1000, 'a').c_str());
    COB_ByteString many(original);
    EXPECT_EQ(many.Replace("a", "xy"), 1000);
    EXPECT_EQ(many.GetLength(), 2000);
    EXPECT_EQ(many.Find("a"), -1);
    EXPECT_EQ(original.GetLength(), 1000);
}

TEST(COB_ByteString, ReplaceRefusesResultsBeyondTheLengthLimit)
{
    // 2^20 matches, each growing by 4095 bytes: the new length is exactly 2^32, which 32-bit
    // arithmetic sees as 0. The replacement is refused and the text kept.
    const int count = 1 << 20;
    COB_ByteString s(std::string(count, 'a').c_str());
    const std::string bigger(4096, 'b');
    EXPECT_EQ(s.Replace("a", bigger.c_str()), 0);
    EXPECT_EQ(s.GetLength(), count);
    EXPECT_EQ(s.Find("b"), -1);

}

TEST(COB_ByteString, TrimTable)
{
    struct Case {
        const char* name;
        std::string start;
        void (*apply)(COB_ByteString&);
        std::string text;
    } cases[] = {
        {"TrimRight() all blank", " \t ", [](COB_ByteString& s) { s.TrimRight(); }, ""},
        {"TrimLeft() all blank", "\r\n\v\f", [](COB_ByteString& s) { s.TrimLeft(); }, ""},
        {"TrimRight()", " a b \n", [](COB_ByteString& s) { s.TrimRight(); }, " a b"},
        {"TrimLeft()", "\t a b ", [](COB_ByteString& s) { s.TrimLeft(); }, "a b "},
        {"TrimLeft(xy)", "xyxab", [](COB_ByteString& s) { s.TrimLeft("xy"); }, "ab"},
        {"TrimRight(x)", "axxx", [](COB_ByteString& s) { s.TrimRight('x'); }, "a"},
        {"TrimLeft(x) nothing", "axxx", [](COB_ByteString& s) { s.TrimLeft('x'); }, "axxx"},
        {"TrimRight(empty set)", "a  ", [](COB_ByteString& s) { s.TrimRight(""); }, "a  "},
        {"0 byte in set", std::string("a\0\0", 3),
         [](COB_ByteString& s) { s.TrimRight(COB_ByteStringC("\0", 1)); }, "a"},
        {"0 byte not in set", std::string("a\0", 2), [](COB_ByteString& s) { s.TrimRight(); },
         std::string("a\0", 2)},
    };
    for (auto& c : cases) {
        COB_ByteString s(c.start.data(), static_cast<int>(c.start.size()));
        c.apply(s);
        EXPECT_EQ(Text(s), c.text) << c.name;
    }

    // Trimming everything keeps a buffer of length 0.
    COB_ByteString blank("  ");
    blank.TrimRight();
    EXPECT_TRUE(HasBuffer(blank));
    EXPECT_EQ(blank.GetLength(), 0);
}

TEST(COB_ByteString, GetIDTable)
{
    const COB_ByteString abcd("ABCD");
    EXPECT_EQ(abcd.GetID(0), (uint32_t('A') << 24) | ('B' << 16) | ('C' << 8) | 'D');
    EXPECT_EQ(COB_ByteString("AB").GetID(0), (uint32_t('A') << 24) | ('B' << 16));
    EXPECT_EQ(abcd.GetID(2), (uint32_t('C') << 24) | ('D' << 16));
    EXPECT_EQ(abcd.GetID(-1), 0u);
    EXPECT_EQ(abcd.GetID(4), 0u);
    EXPECT_EQ(COB_ByteString().GetID(0), 0u);
    EXPECT_EQ(COB_ByteStringC("\xff\x01").GetID(0), 0xff010000u);
}

TEST(COB_ByteString, BufferAccess)
{
    // Direct writing, then the length measured or given.
    COB_ByteString s;
    char* p = s.GetBuffer(8);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(s.GetLength(), 0);
    strcpy(p, "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(Text(s), "abc");
    s.GetBuffer(8)[3] = 'd';
    s.ReleaseBuffer(4);
    EXPECT_EQ(Text(s), "abcd");
    s.ReleaseBuffer(0);
    EXPECT_FALSE(HasBuffer(s));
    EXPECT_EQ(COB_ByteString().GetBuffer(0), nullptr);

    // GetBuffer on a shared string keeps the text in a buffer of its own.
    COB_ByteString a("hello");
    COB_ByteString b(a);
    char* q = b.GetBuffer(2);
    EXPECT_NE(q, a.c_str());
    EXPECT_EQ(Text(b), "hello");

    // Reserve unshares and keeps the text; on an empty string it leaves no buffer.
    COB_ByteString c(a);
    c.Reserve(2);
    EXPECT_NE(c.c_str(), a.c_str());
    EXPECT_EQ(Text(c), "hello");
    COB_ByteString d(a);
    d.Reserve(0);
    EXPECT_EQ(Text(d), "hello");
    COB_ByteString e;
    e.Reserve(100);
    EXPECT_FALSE(HasBuffer(e));

    // AllocBeforeWrite keeps an owned block that is large enough.
    COB_ByteString f("abcdef");
    const char* block = f.c_str();
    f.AllocBeforeWrite(3);
    EXPECT_EQ(f.c_str(), block);
    COB_ByteString g(f);
    g.AllocBeforeWrite(4);
    EXPECT_NE(g.c_str(), f.c_str());
    EXPECT_EQ(g.GetLength(), 4);
    EXPECT_EQ(Text(f), "abcdef");
}

TEST(COB_ByteString, AllocCopyLeavesTheTargetOnBadSizes)
{
    const COB_ByteString src("abcdef");
    COB_ByteString dest("old");
    src.AllocCopy(dest, 3, 2, 0);
    EXPECT_EQ(Text(dest), "cde");
    src.AllocCopy(dest, 0, 0, 0);
    EXPECT_EQ(Text(dest), "cde");
    src.AllocCopy(dest, 0x7fffffff, 0, 1);
    EXPECT_EQ(Text(dest), "cde");
}

TEST(COB_ByteString, ConversionsThroughTheLocaleAndUtf8)
{
    EXPECT_EQ(Text(COB_ByteString::FromUnicode(L"plain", -1)), "plain");
    EXPECT_EQ(Text(COB_ByteString::FromUnicode(L"plain", 2)), "pl");
    EXPECT_EQ(Text(COB_ByteString::FromUnicode(COB_WideString())), "");
    COB_ByteString s("x");
    s.ConvertFrom(COB_WideString(L"abc"));
    EXPECT_EQ(Text(s), "abc");

    // Every byte is decoded, 0 bytes included.
    const COB_WideString w = COB_ByteString("A\0\xc3\xa9", 4).UTF8Decode();
    ASSERT_EQ(w.GetLength(), 3);
    EXPECT_EQ(w.GetAt(0), L'A');
    EXPECT_EQ(w.GetAt(1), L'\0');
    EXPECT_EQ(w.GetAt(2), static_cast<wchar_t>(0xE9));
    EXPECT_EQ(COB_ByteString().UTF8Decode().GetLength(), 0);
}

class COB_ByteStringFileTest : public SandboxTest
{
protected:
    std::string Path(const char* name) const { return (sandbox.tmp() + "/" + name).toStdString(); }
};

TEST_F(COB_ByteStringFileTest, LoadFromFile)
{
    const std::string content("line\0with zero\n", 15);
    ASSERT_TRUE(sandbox.writeFile(QString::fromStdString(Path("data.bin")),
                                  QByteArray(content.data(), static_cast<int>(content.size()))));
    ASSERT_TRUE(sandbox.writeFile(QString::fromStdString(Path("empty.bin")), QByteArray()));

    const COB_ByteString loaded = COB_ByteString::LoadFromFile(Path("data.bin").c_str());
    EXPECT_EQ(Text(loaded), content);
    COB_ByteString missing = COB_ByteString::LoadFromFile(Path("missing.bin").c_str());
    COB_ByteString empty = COB_ByteString::LoadFromFile(Path("empty.bin").c_str());
    EXPECT_FALSE(HasBuffer(missing));
    EXPECT_FALSE(HasBuffer(empty));
    // A folder opens but reads nothing.
    COB_ByteString folder = COB_ByteString::LoadFromFile(sandbox.tmp().toStdString().c_str());
    EXPECT_FALSE(HasBuffer(folder));
}

TEST_F(COB_ByteStringFileTest, LoadFromFileFailsWhenTheSizeCannotBeLearnt)
{
    // A pipe has no size: the load fails instead of taking whatever a failed query returns.
    const std::string fifo = Path("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int keepOpen = open(fifo.c_str(), O_RDWR); // so that opening for reading does not block
    ASSERT_GE(keepOpen, 0);
    ASSERT_EQ(write(keepOpen, "data", 4), 4);
    COB_ByteString s = COB_ByteString::LoadFromFile(fifo.c_str());
    close(keepOpen);
    EXPECT_FALSE(HasBuffer(s));
}
