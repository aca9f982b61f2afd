#include "BuiltLocales.h"
#include "GuardedPages.h"
#include "COB_ByteString.h"

#include "Sandbox.h"

#include <gtest/gtest.h>

#include <printf.h>
#include <climits>
#include <clocale>
#include <cstdio>
#include <langinfo.h>
#include <string>
#include <sys/types.h>
#include <unistd.h>

namespace {

// Format must agree with the C library's own printf in the C locale.
#define EXPECT_FORMAT_LIKE_SNPRINTF(...)                                                                              \
    do {                                                                                                              \
        COB_ByteString s;                                                                                             \
        s.Format(__VA_ARGS__);                                                                                        \
        char expected[1024];                                                                                          \
        int n = snprintf(expected, sizeof expected, __VA_ARGS__);                                                     \
        ASSERT_LT(n, static_cast<int>(sizeof expected));                                                              \
        EXPECT_EQ(std::string(s.c_str(), static_cast<size_t>(s.GetLength())), std::string(expected)) << #__VA_ARGS__; \
    } while (0)

std::string Text(const COB_ByteString& s)
{
    return std::string(s.c_str(), static_cast<size_t>(s.GetLength()));
}

} // namespace

TEST(COB_ByteStringFormat, StandardConversionsMatchSnprintf)
{
    EXPECT_FORMAT_LIKE_SNPRINTF("%d-%s", 7, "ab");
    EXPECT_FORMAT_LIKE_SNPRINTF("[%5d|%-5d|%05d|%+d|% d]", 42, 42, 42, 42, 42);
    EXPECT_FORMAT_LIKE_SNPRINTF("%i %u %o %x %X %#x %#o", -1, 4294967295u, 8, 255, 255, 255, 8);
    EXPECT_FORMAT_LIKE_SNPRINTF("%lld %llu %ld %hd %hhd", LLONG_MIN, ULLONG_MAX, LONG_MAX, 70000, 300);
    EXPECT_FORMAT_LIKE_SNPRINTF("%zu %td %jd", static_cast<size_t>(123), static_cast<ptrdiff_t>(-4),
                                static_cast<intmax_t>(5));
    EXPECT_FORMAT_LIKE_SNPRINTF("[%s|%.2s|%10.3s|%-6s]", "text", "abcdef", "abcdef", "ab");
    EXPECT_FORMAT_LIKE_SNPRINTF("%c%c%5c", 'A', 'z', '!');
    EXPECT_FORMAT_LIKE_SNPRINTF("%f %.0f %.3f %10.2f %-10.1f|", 1.5, 2.5, -3.14159, 2.0, 7.25);
    EXPECT_FORMAT_LIKE_SNPRINTF("%e %.3E %g %G %g", 12345.678, 0.000123, 0.0001, 1e20, 100000.0);
    EXPECT_FORMAT_LIKE_SNPRINTF("%a %A %Lf", 1.0, 0.5, 1.25L);
    EXPECT_FORMAT_LIKE_SNPRINTF("%p %s", reinterpret_cast<void*>(0x1234), "after pointer");
    EXPECT_FORMAT_LIKE_SNPRINTF("100%% %d%%", 5);
    EXPECT_FORMAT_LIKE_SNPRINTF("%*d|%-*d|%.*f|%*.*s|", 6, 7, 6, 7, 3, 3.14159, 8, 2, "abcdef");
    EXPECT_FORMAT_LIKE_SNPRINTF("%lld %*d", 1LL << 40, 5, 1);
    EXPECT_FORMAT_LIKE_SNPRINTF("%f %s %*d", 1.0, "x", 4, 2);
    EXPECT_FORMAT_LIKE_SNPRINTF("%ls", L"wide ascii");
    EXPECT_FORMAT_LIKE_SNPRINTF("no conversions at all");
}

TEST(COB_ByteStringFormat, PlainConversionsMatchSnprintf)
{
    // Formats without flags, width or precision take a shorter road; it must print the same.
    const long long values[] = {0, 1, -1, 9, 10, 255, INT_MAX, INT_MIN, UINT_MAX, LLONG_MIN, LLONG_MAX};
    for (long long v : values) {
        int i = static_cast<int>(v);
        long l = static_cast<long>(v);
        EXPECT_FORMAT_LIKE_SNPRINTF("%d|%i|%u|%x|%X", i, i, static_cast<unsigned>(i), static_cast<unsigned>(i),
                                    static_cast<unsigned>(i));
        EXPECT_FORMAT_LIKE_SNPRINTF("%ld|%li|%lu|%lx|%lX", l, l, static_cast<unsigned long>(l),
                                    static_cast<unsigned long>(l), static_cast<unsigned long>(l));
        EXPECT_FORMAT_LIKE_SNPRINTF("%lld|%lli|%llu|%llx|%llX", v, v, static_cast<unsigned long long>(v),
                                    static_cast<unsigned long long>(v), static_cast<unsigned long long>(v));
        EXPECT_FORMAT_LIKE_SNPRINTF("%zu|%zx|%zd", static_cast<size_t>(v), static_cast<size_t>(v),
                                    static_cast<ssize_t>(v));
    }
    const char* volatile none = nullptr; // hidden from the compiler's format checks
    EXPECT_FORMAT_LIKE_SNPRINTF("[%s][%s][%c%c]%%", "", none, 'x', '\xff');
    EXPECT_FORMAT_LIKE_SNPRINTF("%s=%d;%s=%u", "width", 10, "height", 20u);

    std::string medium(700, 'm');
    std::string large(5000, 'L');
    for (const std::string* text : {&medium, &large}) {
        COB_ByteString s;
        s.Format("%s:%d:%s", text->c_str(), -3, text->c_str());
        EXPECT_EQ(Text(s), *text + ":-3:" + *text);
    }
}

TEST(COB_ByteStringFormat, WidthOrPrecisionAboveTheLimitRefusesTheFormat)
{
    auto fmt = [](const char* format, auto... args) {
        COB_ByteString s("previous");
        s.Format(format, args...);
        return s;
    };
    EXPECT_EQ(Text(fmt("%200000d", 1)), "Bad width");
    EXPECT_EQ(Text(fmt("%.*f", 200000, 1.0)), "Bad precision");
    EXPECT_EQ(Text(fmt("%*d", -1, 5)), "Bad width");        // a negative width compares as unsigned
    EXPECT_EQ(Text(fmt("%.*d", -1, 5)), "Bad precision");
    EXPECT_EQ(Text(fmt("%.131073d", 5)), "Bad precision");
    EXPECT_EQ(Text(fmt("%99999999999999999999d", 5)), "Bad width"); // no wrap-around to a small width
    EXPECT_EQ(Text(fmt("%s %*d", "x", 200000, 1)), "Bad width");   // '*' found after a string argument
    EXPECT_EQ(Text(fmt("%lld %f %*d", 1LL << 40, 2.0, 200000, 1)), "Bad width");
    EXPECT_EQ(Text(fmt("%d %.200000f", 1, 2.0)), "Bad precision");

    // The limit itself is allowed, and the whole text is kept.
    COB_ByteString s = fmt("%131072d", 7);
    ASSERT_EQ(s.GetLength(), 131072);
    EXPECT_EQ(s.c_str()[131071], '7');
    EXPECT_EQ(s.c_str()[0], ' ');
}

TEST(COB_ByteStringFormat, LongOutputIsNeverCut)
{
    // The length estimate once fell short for %f of large values (a 256-byte scratch) and
    // truncated the text; the result must be exactly what printf makes.
    char expected[512];
    snprintf(expected, sizeof expected, "%f", 1e300);
    COB_ByteString s;
    s.Format("%f", 1e300);
    EXPECT_EQ(Text(s), expected);
    EXPECT_EQ(s.GetLength(), 308);

    std::string big(100000, 'q');
    s.Format("<%s>%d", big.c_str(), 12);
    EXPECT_EQ(Text(s), "<" + big + ">12");

    // Arguments that point into the string being formatted.
    COB_ByteString self(big.c_str(), 600);
    self.Format("%s%s", self.c_str(), self.c_str());
    EXPECT_EQ(Text(self), big.substr(0, 1200));
    COB_ByteString shortSelf("ab");
    shortSelf.Format("%s-%s", shortSelf.c_str(), shortSelf.c_str());
    EXPECT_EQ(Text(shortSelf), "ab-ab");
}

TEST(COB_ByteStringFormat, PrecisionBoundsTheStringsThatAreRead)
{
    // With a precision the argument need not be terminated: its characters end right before an
    // unreadable page, and nothing may be read past the precision.
    GuardedPages pages;
    ASSERT_TRUE(pages.ok());
    char* narrow = pages.narrow;
    wchar_t* wide = pages.wide;

    COB_ByteString s;
    s.Format("[%.3s|%.2s|%.*ls]", narrow, narrow, 3, wide);
    EXPECT_EQ(Text(s), "[abc|ab|xyz]");
}

namespace {

// A conversion of the C library's own extension mechanism whose length no estimate can know:
// %Y prints as many 'y' as its int argument says.
int PrintYs(FILE* stream, const struct printf_info*, const void* const* args)
{
    int count = *static_cast<const int*>(args[0]);
    for (int i = 0; i < count; ++i)
        fputc('y', stream);
    return count;
}

int YArgInfo(const struct printf_info*, size_t n, int* types, int*)
{
    if (n > 0)
        types[0] = PA_INT;
    return 1;
}

} // namespace

TEST(COB_ByteStringFormat, TextLongerThanEstimatedIsPrintedAgainInFull)
{
    ASSERT_EQ(register_printf_specifier('Y', PrintYs, YArgInfo), 0);
    COB_ByteString s;
    s.Format("%Y|%d", 3000, 5); // estimated short: first printed on the stack
    EXPECT_EQ(Text(s), std::string(3000, 'y') + "|5");
    std::string head(600, 'h');
    s.Format("%s%Y.", head.c_str(), 5000); // estimated at about 600: the block must grow
    EXPECT_EQ(Text(s), head + std::string(5000, 'y') + ".");
}

TEST(COB_ByteStringFormat, EmptyOutputAndEmbeddedZero)
{
    COB_ByteString s("old");
    s.Format("%s", "");
    EXPECT_EQ(s.GetLength(), 0);
    s.Format("a%cb", 0); // the text ends at its first 0 byte
    EXPECT_EQ(Text(s), "a");
    s.Format("a%5cb", 0);
    EXPECT_EQ(Text(s), "a    ");
    std::string big(600, 'b');
    s.Format("%s%c%s", big.c_str(), 0, "tail");
    EXPECT_EQ(Text(s), big);
}

class COB_ByteStringFormatLocale : public SandboxTest
{
};

TEST_F(COB_ByteStringFormatLocale, NumbersKeepAPointInADecimalCommaLocale)
{
    // A German locale compiled with the build; machines without localedef skip.
    if (!useBuiltLocales(sandbox))
        GTEST_SKIP() << "localedef was not found when the build was configured";
    if (!setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the generated locale cannot be loaded";
    char native[32];
    snprintf(native, sizeof native, "%.2f", 1.5);
    ASSERT_STREQ(native, "1,50");

    COB_ByteString s;
    s.Format("%.2f|%g|%'d", 1.5, 0.25, 1234567);
    EXPECT_EQ(Text(s), "1.50|0.25|1234567");
    // Only the numeric conventions change: wide text still converts in the UTF-8 character set.
    s.Format("%ls %.1f", L"\u00e9t\u00e9", 2.5);
    EXPECT_EQ(Text(s), "\xc3\xa9t\xc3\xa9 2.5");
    // The thread's locale is back afterwards.
    EXPECT_STREQ(nl_langinfo(RADIXCHAR), ",");
    setlocale(LC_ALL, "C");
}

TEST(COB_ByteStringFormat, NumberText)
{
    struct Case
    {
        int value;
        unsigned flags;
        const char* text;
    } const cases[] = {
        {-5, 0, "4294967291"}, {-5, 1, "-5"}, {255, 2, "ff"}, {255, 6, "FF"}, {0, 2, "0"},
    };
    for (const auto& c : cases) {
        COB_ByteString s = COB_ByteString::FormatInteger(c.value, c.flags);
        EXPECT_EQ(Text(s), c.text);
    }
    EXPECT_EQ(Text(COB_ByteString::FormatInteger64(LLONG_MIN)), "-9223372036854775808");
    EXPECT_EQ(Text(COB_ByteString::FormatInteger64(0)), "0");
    EXPECT_EQ(Text(COB_ByteString::FormatFloat(1.5f)), "1.5");
    EXPECT_EQ(Text(COB_ByteString::FormatFloat(2.0f, 1)), "2.0");
    EXPECT_EQ(Text(COB_ByteString::FormatFloat(0.0f)), "0");
    EXPECT_EQ(Text(COB_ByteString::FormatFloat(5e9f)), "5000000000");
}
