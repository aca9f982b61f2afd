#include "Translator.h"

#include "AUILibConfig.h"
#include "TranslationFiles.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace AUILib;

// Every test starts with an empty translator and the configuration as it was made
// (tests/auilib/ApplicationStateListener.h).
class TranslatorTest : public SandboxTest
{
protected:
    void SetUp() override
    {
        SetWorkingDirPath(files.workingDir().toStdWString());
        SetCurrentLanguage(L"de-DE", false);
    }

    Translator &translator = Translator::GetInstance();
    TranslationFiles files{sandbox};
};

TEST_F(TranslatorTest, TextsComeFromTheModulesOwnTable)
{
    ASSERT_TRUE(files.writeStrings("de-DE", "", "<string id=\"common\">Gemeinsam</string>"));
    ASSERT_TRUE(files.writeStrings("de-DE", "tools", "<string id=\"save\">Speichern</string><string id=\"empty\"/>"));
    ASSERT_TRUE(files.writeStrings("en-US", "tools", "<string id=\"save\">Save</string><string id=\"empty\">E</string>"));

    EXPECT_EQ(translator.GetText(L"tools", L"save"), L"Speichern");
    EXPECT_EQ(translator.GetText(L"tools", L"empty"), L"");
    EXPECT_EQ(translator.GetDefaultText(L"tools", L"save"), L"Save");
    EXPECT_EQ(translator.GetDefaultText(L"tools", L"empty"), L"E");
    // The common module is read with every module but only answers for itself.
    EXPECT_EQ(translator.GetText(L"tools", L"common"), L"");
    EXPECT_EQ(translator.GetText(L"", L"common"), L"Gemeinsam");
    EXPECT_EQ(translator.GetText(L"other", L"save"), L"");
}

TEST_F(TranslatorTest, EnglishReadsNoLinguistFiles)
{
    SetCurrentLanguage(L"en-US", false);
    ASSERT_TRUE(files.writeStrings("en-US", "m", "<string id=\"a\">A</string>"));
    ASSERT_TRUE(files.writeLinguist("en-US", "m", TranslationFiles::message("f.ui", 2, "Title", "T")));
    const QString form = files.writeForm("m", "f.ui", "<ui>\n<string>Title</string>\n</ui>\n");
    EXPECT_EQ(translator.GetText(L"m", L"a"), L"A");
    EXPECT_EQ(translator.GetDefaultText(L"m", L"a"), L"A");
    EXPECT_EQ(translator.TranslateUIFile(form.toStdWString()), L"");
}

// The configuration's tests cannot see this: the same language again must not
// make the translator forget the tables it holds.
TEST_F(TranslatorTest, AChangeOfLanguageForgetsWhatWasRead)
{
    ASSERT_TRUE(files.writeStrings("de-DE", "m", "<string id=\"a\">alt</string>"));
    ASSERT_TRUE(files.writeStrings("de-DE", "base", "<string id=\"own\">eigen</string>"));
    ASSERT_TRUE(files.writeStrings("de-DE", "extra", "<string id=\"more\">mehr</string>"));
    EXPECT_EQ(translator.GetText(L"m", L"a"), L"alt");
    ASSERT_TRUE(files.writeStrings("de-DE", "m", "<string id=\"a\">neu</string>"));
    translator.AppendStrings(L"base", L"extra");

    SetCurrentLanguage(L"de-DE", true);
    EXPECT_EQ(translator.GetText(L"m", L"a"), L"alt");
    EXPECT_EQ(translator.GetText(L"base", L"more"), L"mehr");

    ASSERT_TRUE(files.writeStrings("fr-FR", "m", "<string id=\"a\">fran\xc3\xa7" "ais</string>"));
    SetCurrentLanguage(L"fr-FR", false);
    EXPECT_EQ(translator.GetText(L"m", L"a"), L"fran\u00e7ais");
    SetCurrentLanguage(L"de-DE", false);
    EXPECT_EQ(translator.GetText(L"m", L"a"), L"neu");
    // Appended lists are gone with the rest.
    EXPECT_EQ(translator.GetText(L"base", L"more"), L"");
    EXPECT_EQ(translator.GetText(L"base", L"own"), L"eigen");
}

TEST_F(TranslatorTest, AppendedModulesMergeIntoTheBase)
{
    ASSERT_TRUE(files.writeStrings("de-DE", "base", "<string id=\"a\">Basis</string>"));
    ASSERT_TRUE(files.writeStrings("de-DE", "one", "<string id=\"a\">eins</string><string id=\"b\">B1</string>"));
    ASSERT_TRUE(files.writeStrings("de-DE", "two", "<string id=\"c\">C2</string>"));
    ASSERT_TRUE(files.writeStrings("en-US", "two", "<string id=\"d\">D</string>"));
    ASSERT_TRUE(files.writeLinguist("de-DE", "two", TranslationFiles::message("f.ui", 2, "Title", "Titel")));
    translator.AppendStrings(L"base", L"one");
    translator.AppendStrings(L"base", L"two");
    translator.AppendStrings(L"base", L"one");

    EXPECT_EQ(translator.GetText(L"base", L"a"), L"Basis");
    EXPECT_EQ(translator.GetText(L"base", L"b"), L"B1");
    EXPECT_EQ(translator.GetText(L"base", L"c"), L"C2");
    EXPECT_EQ(translator.GetDefaultText(L"base", L"d"), L"D");
    // The appended module's messages are the base module's.
    const QString form = files.writeForm("base", "f.ui", "<ui>\n<string>Title</string>\n</ui>\n");
    EXPECT_EQ(translator.TranslateUIFile(form.toStdWString()), L"<ui>\n<string>Titel</string>\n</ui>\n");
}

TEST_F(TranslatorTest, TheModuleOfAFormPath)
{
    const std::pair<const wchar_t *, const wchar_t *> cases[] = {
        {L"/app/auiresources/tools/ui/options.ui.ob", L"tools"},
        {L"/app/auiresources/ui/options.ui.ob", L""},
        {L"/app/auiresources/a/b/ui/f.ui.ob", L"a/b"},
        {L"/app/resources/tools/ui/f.ui.ob", L""},
        {L"/app/auiresources/tools/f.ui.ob", L""},
        // A folder whose name only begins with "ui" is not the form folder.
        {L"/app/auiresources/tools/uikit/ui/f.ui.ob", L"tools/uikit"},
        {L"/app/auiresources/tools/uikit/f.ui.ob", L""},
        {L"", L""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(translator.FindModule(c.first), c.second) << QString::fromWCharArray(c.first).toStdString();
}

TEST_F(TranslatorTest, StringElementsOverSeveralLinesBecomeOne)
{
    std::vector<std::wstring> lines = {
        L"  <property>",
        L"   <string>First \t",
        L"   second   ",
        L"",
        L"third  </string>\r",
        L"   <string>One line</string>",
        L"   <string notr=\"true\">a",
        L"b</string>",
        L"   <string>never closed",
        L"  end  ",
    };
    translator.CollapseStringBlocks(lines);
    EXPECT_EQ(lines, (std::vector<std::wstring>{
                         L"  <property>",
                         // The closing line is trimmed as a whole, its CR with it.
                         L"   <string>First second  third</string>",
                         L"   <string>One line</string>",
                         L"   <string notr=\"true\">a",
                         L"b</string>",
                         L"   <string>never closed end",
                     }));
}

namespace {

// Lines numbered from 1 as Linguist places messages.
const char *const kForm[] = {
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
    "<ui version=\"4.0\">",
    " <widget class=\"QDialog\" name=\"Dialog\">",
    "  <property name=\"windowTitle\">",
    "   <string>Title &amp; more</string>",  // 5
    "  </property>",
    "  <widget class=\"QLabel\" name=\"multi\">",
    "   <property name=\"text\">",
    "    <string>First",  // 9
    "second",
    "third</string>",
    "   </property>",
    "  </widget>",
    "  <widget class=\"QLabel\" name=\"moved\">",
    "   <property name=\"text\">",
    "    <string>Changed since</string>",  // 16
    "   </property>",
    "  </widget>",
    "  <widget class=\"QPushButton\" name=\"ok\"><property name=\"text\"><string comment=\"c\">OK</string></property></widget>",
    "  <widget class=\"QLabel\" name=\"fixed\"><property name=\"text\"><string notr=\"true\">OK</string></property></widget>",
    "  <widget class=\"QLabel\" name=\"note\"><property name=\"toolTip\"><string extracomment=\"e\">Two",
    "lines</string></property></widget>",
    " </widget>",
    "<string>OK</string></ui>",
};

QByteArray formText(const QStringList &lines)
{
    return lines.join('\n').toUtf8() + '\n';
}

QStringList formLines()
{
    QStringList lines;
    for (const char *line : kForm)
        lines << QString::fromUtf8(line);
    return lines;
}

} // namespace

TEST_F(TranslatorTest, AFormIsTranslatedLineByLine)
{
    const QByteArray messages =
        TranslationFiles::message("dialog.ui", 5, "Title &amp; more", "Titel &amp; mehr") +
        TranslationFiles::message("dialog.ui", 9, "First\nsecond\nthird", "\xd0\x9f\xd0\xb5\xd1\x80\xd0\xb2\xd1\x8b\xd0\xb9") +
        TranslationFiles::message("dialog.ui", 16, "Old text", "Neu") +
        TranslationFiles::message("dialog.ui", 19, "OK", "\xe7\xa1\xae\xe5\xae\x9a &lt;1&gt;") +
        TranslationFiles::message("dialog.ui", 21, "Two\nlines", "Zwei Zeilen");
    ASSERT_TRUE(files.writeLinguist("de-DE", "x", messages));
    const QString form = files.writeForm("x", "dialog.ui", formText(formLines()));

    QStringList expected = formLines();
    expected[4] = "   <string>Titel &amp; mehr</string>";
    expected[8] = "    <string>\u041f\u0435\u0440\u0432\u044b\u0439</string>";
    expected.removeAt(9);
    expected.removeAt(9);
    // Found by the line the form has it at, counted before lines were joined.
    expected[13] = "    <string>Neu</string>";
    // Only the element is replaced; what surrounds it on the line stays.
    expected[16] = "  <widget class=\"QPushButton\" name=\"ok\"><property name=\"text\">"
                   "<string>\u786e\u5b9a &lt;1&gt;</string></property></widget>";
    // notr="true", an element over lines that are not joined, and the last line stay.
    EXPECT_EQ(translator.TranslateUIFile(form.toStdWString()), QString::fromUtf8(formText(expected)).toStdWString());
}

TEST_F(TranslatorTest, CommonMessagesServeEveryModule)
{
    ASSERT_TRUE(files.writeLinguist("de-DE", "", TranslationFiles::message("f.ui", 2, "Title", "Titel")));
    const QString form = files.writeForm("y", "f.ui", "<ui>\n<string>Title</string>\n</ui>");
    EXPECT_EQ(translator.TranslateUIFile(form.toStdWString()), L"<ui>\n<string>Titel</string>\n</ui>");

    // No messages for the form, or no form: nothing to build from.
    const QString other = files.writeForm("y", "other.ui", "<ui>\n<string>Title</string>\n</ui>");
    EXPECT_EQ(translator.TranslateUIFile(other.toStdWString()), L"");
    EXPECT_EQ(translator.TranslateUIFile((files.workingDir() + "auiresources/y/ui/missing.ui.ob").toStdWString()),
              L"");
}

TEST_F(TranslatorTest, ScrambledLanguageFilesAndTheirWholeText)
{
    SetCurrentLanguage(L"ja-JP", true);
    const QByteArray entries = "<string id=\"a\">\xe3\x81\x82</string>";
    ASSERT_TRUE(files.writeStrings("ja-JP", "m", entries, true));
    ASSERT_TRUE(files.writeLinguist("ja-JP", "m", TranslationFiles::message("f.ui", 2, "Title", "\xe9\xa1\x8c"), true));
    const QString form = files.writeForm("m", "f.ui", "<ui>\n<string>Title</string>\n</ui>\n");
    EXPECT_EQ(translator.GetText(L"m", L"a"), L"\u3042");
    EXPECT_EQ(translator.TranslateUIFile(form.toStdWString()), L"<ui>\n<string>\u984c</string>\n</ui>\n");

    const std::wstring strings = GetStringsFilePath(L"m", false);
    EXPECT_EQ(translator.ReadTranslationFile(strings),
              QString::fromUtf8(TranslationFiles::stringTable("ja-JP", entries)).toStdWString());
    EXPECT_EQ(translator.ReadTranslationFile(strings + L".missing"), L"");
}
