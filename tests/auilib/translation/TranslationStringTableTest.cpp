#include "TranslationStringTable.h"

#include "AUILibConfig.h"
#include "NumberedFilesTest.h"
#include "ScrambledFiles.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace AUILib;

namespace {

QByteArray stringTable(const QByteArray &language, const QByteArray &entries, const QByteArray &font = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Strings" + language + ">\n" + font + "<StringTable>\n" +
           entries + "</StringTable>\n</Strings>\n";
}

} // namespace

// Every test starts with the configuration and its shared font record as they
// were made (tests/auilib/ApplicationStateListener.h).
class TranslationStringTableTest : public NumberedFilesTest
{
protected:
    void SetUp() override { SetCurrentLanguage(L"de-DE", false); }

    static std::wstring text(const TranslationStringTable &tables, const std::wstring &path, const wchar_t *id)
    {
        return tables.GetText(path, id).value_or(L"<absent>");
    }

    TranslationStringTable tables;
};

// Non-Latin texts used to be lost whole when the reader worked on wide characters.
TEST_F(TranslationStringTableTest, ReadsEntriesInAnyScript)
{
    const std::wstring path = file("\xef\xbb\xbf" + stringTable(" language=\"de-DE\"",
                                                                "<string id=\"ok\">OK &amp; weiter</string>\n"
                                                                "<string id=\"ru\">\xd0\x9e\xd1\x82\xd0\xbc\xd0\xb5\xd0\xbd\xd0\xb0</string>\n"
                                                                "<string id=\"zh\">\xe5\x8f\x96\xe6\xb6\x88 &#x4e2d;&#20013;</string>\n"
                                                                "<other id=\"ja\">\xe3\x82\xad\xe3\x83\xa3\xe3\x83\xb3\xe3\x82\xbb\xe3\x83\xab</other>\n"
                                                                "<string id=\"ok\">second</string>\n"
                                                                "<string>no id</string>\n"
                                                                "<string id=\"empty\"/>\n"
                                                                "<string id=\"  spaced \">  kept  </string>\n"));
    tables.LoadStringTable(path);
    EXPECT_EQ(text(tables, path, L"ok"), L"OK & weiter");
    EXPECT_EQ(text(tables, path, L"ru"), L"\u041e\u0442\u043c\u0435\u043d\u0430");
    EXPECT_EQ(text(tables, path, L"zh"), L"\u53d6\u6d88 \u4e2d\u4e2d");
    EXPECT_EQ(text(tables, path, L"ja"), L"\u30ad\u30e3\u30f3\u30bb\u30eb");
    EXPECT_EQ(text(tables, path, L"empty"), L"");
    EXPECT_EQ(text(tables, path, L"  spaced "), L"  kept  ");
    EXPECT_EQ(text(tables, path, L"missing"), L"<absent>");
    EXPECT_EQ(text(tables, L"/elsewhere.xml", L"ok"), L"<absent>");
}

TEST_F(TranslationStringTableTest, OnlyTheCurrentAndTheDefaultLanguageAreTaken)
{
    const QByteArray entry = "<string id=\"a\">A</string>\n";
    const QByteArray font = "<Font><PreFont FaceName=\"Other\" Height=\"7\" Charset=\"1\"/></Font>\n";
    struct Case
    {
        const char *what;
        QByteArray contents;
        bool taken;
    };
    const Case cases[] = {
        {"current", stringTable(" language=\"de-DE\"", entry, font), true},
        {"default", stringTable(" language=\"en-US\"", entry, font), true},
        {"third language", stringTable(" language=\"fr-FR\"", entry, font), false},
        {"case differs", stringTable(" language=\"de-de\"", entry, font), false},
        {"no language", stringTable("", entry, font), false},
        {"font without table", "<Strings language=\"de-DE\">" + font + "</Strings>", false},
        {"malformed", stringTable(" language=\"de-DE\"", entry + "<string id=\"b\">", font), false},
        {"not UTF-8", stringTable(" language=\"de-DE\"", "<string id=\"a\">\xff</string>", font), false},
        {"not XML", "A", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        GetFontInfo()->faceName = L"Tahoma";
        TranslationStringTable fresh;
        const std::wstring path = file(c.contents);
        fresh.LoadStringTable(path);
        EXPECT_EQ(text(fresh, path, L"a"), c.taken ? L"A" : L"<absent>");
        EXPECT_EQ(GetFontInfo()->faceName, c.taken ? L"Other" : L"Tahoma");
    }
}

// The language taken from the environment keeps its underscore, and files are
// compared with it character for character.
TEST_F(TranslationStringTableTest, TheEnvironmentsLanguageFormIsComparedExactly)
{
    SetCurrentLanguage(L"de_DE", false);
    const std::wstring german = file(stringTable(" language=\"de-DE\"", "<string id=\"a\">A</string>"));
    const std::wstring english = file(stringTable(" language=\"en-US\"", "<string id=\"a\">A</string>"));
    tables.LoadStringTable(german);
    tables.LoadStringTable(english);
    EXPECT_EQ(text(tables, german, L"a"), L"<absent>");
    EXPECT_EQ(text(tables, english, L"a"), L"A");
}

TEST_F(TranslationStringTableTest, TheFontPreference)
{
    struct Case
    {
        const char *attributes;
        const wchar_t *face;
        std::int64_t height;
        int charset;
    };
    const Case cases[] = {
        {"FaceName=\"\xe5\xae\x8b\xe4\xbd\x93\" Height=\"12pt\" Charset=\"300\"", L"\u5b8b\u4f53", 12, 44},
        {"Height=\" -3\" Other=\"x\" Charset=\"-1\"", L"Tahoma", -3, 255},
        // A value that is no number ends the font part; what came before stays.
        {"FaceName=\"Arial\" Height=\"abc\" Charset=\"5\"", L"Arial", 90, 0},
        {"Charset=\"99999999999\" FaceName=\"Arial\"", L"Tahoma", 90, 0},
        {"", L"Tahoma", 90, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.attributes);
        *GetFontInfo() = logFont();
        GetFontInfo()->height = 90;
        GetFontInfo()->faceName = L"Tahoma";
        tables.LoadStringTable(file(stringTable(" language=\"de-DE\"", "<string id=\"a\">A</string>",
                                                "<Font><PreFont " + QByteArray(c.attributes) + "/></Font>")));
        EXPECT_EQ(GetFontInfo()->faceName, c.face);
        EXPECT_EQ(GetFontInfo()->height, c.height);
        EXPECT_EQ(GetFontInfo()->charSet, c.charset);
    }
}

TEST_F(TranslationStringTableTest, ATableIsReadOnceItHoldsEntries)
{
    const std::wstring path = file(stringTable(" language=\"de-DE\"", ""));
    tables.LoadStringTable(path);
    EXPECT_EQ(text(tables, path, L"a"), L"<absent>");

    // Nothing was stored for the empty file, so it is read again.
    sandbox.writeFile(QString::fromStdWString(path), stringTable(" language=\"de-DE\"", "<string id=\"a\">A</string>"));
    tables.LoadStringTable(path);
    EXPECT_EQ(text(tables, path, L"a"), L"A");

    sandbox.writeFile(QString::fromStdWString(path), stringTable(" language=\"de-DE\"", "<string id=\"a\">B</string>"));
    tables.LoadStringTable(path);
    EXPECT_EQ(text(tables, path, L"a"), L"A");
}

TEST_F(TranslationStringTableTest, AppendingOneFileToAnothersTable)
{
    const std::wstring base = file(stringTable(" language=\"de-DE\"", "<string id=\"a\">base</string>"));
    const std::wstring extra = file(stringTable(" language=\"de-DE\"",
                                                "<string id=\"a\">extra</string><string id=\"b\">B</string>"));
    tables.LoadStringTable(base);
    tables.AppendStringTable(base, extra);
    EXPECT_EQ(text(tables, base, L"a"), L"base");
    EXPECT_EQ(text(tables, base, L"b"), L"B");

    // An unreadable source still makes the target's table, so that the target
    // file itself is not read afterwards.
    const std::wstring target = file(stringTable(" language=\"de-DE\"", "<string id=\"a\">target</string>"));
    tables.AppendStringTable(target, L"/missing/strings.xml");
    tables.LoadStringTable(target);
    EXPECT_EQ(text(tables, target, L"a"), L"<absent>");

    TranslationStringTable::StringTable table{{L"a", L"mine"}};
    tables.AppendStringTable(extra, table);
    EXPECT_EQ(table, (TranslationStringTable::StringTable{{L"a", L"mine"}, {L"b", L"B"}}));
}

TEST_F(TranslationStringTableTest, ScrambledFilesWhenTheyAreExpected)
{
    SetCurrentLanguage(L"ru-RU", true);
    const QByteArray contents =
        stringTable(" language=\"ru-RU\"", "<string id=\"a\">\xd0\x94\xd0\xb0</string>",
                    "<Font><PreFont FaceName=\"\xd0\xa8\xd1\x80\xd0\xb8\xd1\x84\xd1\x82\"/></Font>");
    const QString scrambled = sandbox.base() + "/strings_ru-RU.xml.ob";
    ASSERT_TRUE(ScrambledFiles::write(scrambled, contents));
    const std::wstring plain = file(contents);

    tables.LoadStringTable(scrambled.toStdWString());
    tables.LoadStringTable(plain);
    EXPECT_EQ(text(tables, scrambled.toStdWString(), L"a"), L"\u0414\u0430");
    EXPECT_EQ(GetFontInfo()->faceName, L"\u0428\u0440\u0438\u0444\u0442");
    EXPECT_EQ(text(tables, plain, L"a"), L"<absent>");
}
