#include "COB_Update_URLEncode.h"

#include <gtest/gtest.h>

namespace {

TEST(COB_Update_URLEncodeTest, EncodesAllButLettersAndDigits)
{
    const struct
    {
        QString text;
        const char *encoded;
    } cases[] = {
        {QString(), ""},
        {QStringLiteral("AZaz09"), "AZaz09"},
        {QStringLiteral("a b&c=d"), "a%20b%26c%3dd"},
        {QStringLiteral("~/-_.@[`{"), "%7e%2f%2d%5f%2e%40%5b%60%7b"},
        {QString(QChar(0)) + QStringLiteral("\x7f"), "%00%7f"},
        {QStringLiteral("caf\u00e9 \u00ff"), "caf%e9%20%ff"},
        // Beyond Latin-1: the character's UTF-8 bytes, never a lost "%00".
        {QStringLiteral("\u0100"), "%c4%80"},
        {QStringLiteral("x\u20acy"), "x%e2%82%acy"},
        {QStringLiteral("\U0001F600"), "%f0%9f%98%80"},
        {QString(QChar(0xD800)) + QStringLiteral("a"), "%ef%bf%bda"},
    };
    COB_Update_URLEncode encoder(nullptr);
    for (const auto &c : cases)
        EXPECT_EQ(encoder.URLEncode(c.text), QLatin1String(c.encoded)) << c.encoded;
}

TEST(COB_Update_URLEncodeTest, EncodeAllAndSingleCharacters)
{
    COB_Update_URLEncode encoder(nullptr);
    EXPECT_EQ(encoder.URLEncodeAll(QStringLiteral("ab")), QStringLiteral("%61%62"));
    EXPECT_EQ(encoder.URLEncodeAll(QStringLiteral("1\u20ac\U0001F600")), QStringLiteral("%31%e2%82%ac%f0%9f%98%80"));
    EXPECT_EQ(encoder.URLEncodeAll(QString()), QString());
    EXPECT_EQ(encoder.ConvertToHexString(QLatin1Char('~')), QStringLiteral("%7e"));
    EXPECT_EQ(encoder.ConvertToHexString(QChar(0x00E9)), QStringLiteral("%e9"));
    EXPECT_EQ(encoder.ConvertToHexString(QChar(0x4E2D)), QStringLiteral("%e4%b8%ad"));

    const struct
    {
        ushort code;
        bool unsafe;
    } edges[] = {{'/', true},  {'0', false}, {'9', false}, {':', true},   {'@', true},   {'A', false},
                 {'Z', false}, {'[', true},  {'`', true},  {'a', false},  {'z', false},  {'{', true},
                 {0, true},    {0xFF, true}, {0x100, true}, {0x4E2D, true}};
    for (const auto &e : edges)
        EXPECT_EQ(encoder.IsUnsafe(QChar(e.code)), e.unsafe) << e.code;
}

} // namespace
