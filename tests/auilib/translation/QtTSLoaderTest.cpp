#include "QtTSLoader.h"

#include "AUILibConfig.h"
#include "NumberedFilesTest.h"
#include "ScrambledFiles.h"

#include <gtest/gtest.h>

using namespace AUILib;

namespace {

QByteArray linguistFile(const QByteArray &language, const QByteArray &messages)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\"" + language +
           ">\n<context>\n    <name>Options</name>\n" + messages + "</context>\n</TS>\n";
}

QByteArray message(const QByteArray &source, const QByteArray &translation, const QByteArray &locations)
{
    return "    <message>\n" + locations + "        <source>" + source + "</source>\n        " + translation +
           "\n    </message>\n";
}

QByteArray location(const QByteArray &file, const QByteArray &line)
{
    return "        <location filename=\"" + file + "\" line=\"" + line + "\"/>\n";
}

// "line: source => translation" for every message of a key, in line order.
std::wstring dump(const TSTranslationUnit &unit, const std::wstring &key)
{
    const TSTranslationUnit::Messages *messages = unit.Find(key);
    if (!messages)
        return L"<none>";
    std::wstring out;
    for (const auto &entry : *messages)
        out += std::to_wstring(entry.first) + L": " + entry.second.source + L" => " + entry.second.translation + L"\n";
    return out;
}

} // namespace

class QtTSLoaderTest : public NumberedFilesTest
{
protected:
    void SetUp() override { SetCurrentLanguage(L"zh-CN", false); }
};

TEST_F(QtTSLoaderTest, MessagesAreFiledByFormAndLine)
{
    const QByteArray messages =
        message("OK", "<translation>\xe7\xa1\xae\xe5\xae\x9a</translation>",
                location("../ui/options.ui", "12") + location("options.ui", "30") + location("../ui/other.ui", "4")) +
        // The first message of a line stays.
        message("Second", "<translation>\xe7\xac\xac\xe4\xba\x8c</translation>", location("../ui/options.ui", "12")) +
        message("Unfinished", "<translation type=\"unfinished\"></translation>", location("options.ui", "5")) +
        message("%n file(s)",
                "<translation type=\"unfinished\">\n            <numerusform></numerusform>\n        </translation>",
                location("options.ui", "6")) +
        message("  A &amp;\r\nB  ", "<translation>  C &lt;&quot;x&quot;&gt; '\nD</translation>",
                location("options.ui", "7")) +
        message("Say &quot;hi&quot;", "<translation></translation>", location("options.ui", "8")) +
        message("Number", "<translation>12a</translation>", location("options.ui", "12a")) +
        message("Nowhere", "<translation>x</translation>",
                "<location filename=\"options.ui\"/><location line=\"3\"/>");
    const std::optional<TSTranslationUnit> unit = QtTSLoader::LoadTranslationUnit(
        file(linguistFile(" language=\"zh-CN\"", messages)), L"tools");
    ASSERT_TRUE(unit);
    EXPECT_EQ(dump(*unit, L"tools;options.ui"), L"5: Unfinished => Unfinished\n"
                                                L"6: %n file(s) => %n file(s)\n"
                                                L"7: A &amp; B =>   C &lt;&quot;x&quot;&gt; '\nD\n"
                                                L"8: Say &quot;hi&quot; => Say &quot;hi&quot;\n"
                                                L"12: OK => \u786e\u5b9a\n"
                                                L"30: OK => \u786e\u5b9a\n");
    EXPECT_EQ(dump(*unit, L"tools;other.ui"), L"4: OK => \u786e\u5b9a\n");
    EXPECT_EQ(dump(*unit, L";options.ui"), L"<none>");

    const std::optional<TSTranslationUnit> common = QtTSLoader::LoadTranslationUnit(
        file(linguistFile(" language=\"zh-CN\"", message("OK", "<translation>Y</translation>",
                                                          location("../ui/options.ui", "1")))),
        L"");
    ASSERT_TRUE(common);
    EXPECT_EQ(dump(*common, L";options.ui"), L"1: OK => Y\n");
}

// An untranslated multi-line source keeps its line break as the translation,
// though the source it is compared by loses it.
TEST_F(QtTSLoaderTest, AnUntranslatedSourceKeepsItsLines)
{
    const std::optional<TSTranslationUnit> unit = QtTSLoader::LoadTranslationUnit(
        file(linguistFile(" language=\"zh-CN\"",
                          message(" First\nsecond ", "<translation type=\"unfinished\"/>", location("f.ui", "2")))),
        L"m");
    ASSERT_TRUE(unit);
    EXPECT_EQ(dump(*unit, L"m;f.ui"), L"2: First second =>  First\nsecond \n");
}

TEST_F(QtTSLoaderTest, WhatGivesNothing)
{
    const QByteArray one = message("OK", "<translation>Y</translation>", location("f.ui", "1"));
    const std::pair<const char *, QByteArray> cases[] = {
        {"default language only", linguistFile(" language=\"en-US\"", one)},
        {"no language", linguistFile("", one)},
        {"underscore form", linguistFile(" language=\"zh_CN\"", one)},
        {"no TS element", "<Other language=\"zh-CN\"/>"},
        {"a line that is no number", linguistFile(" language=\"zh-CN\"",
                                                  one + message("B", "<translation>Z</translation>",
                                                                location("f.ui", "x")))},
        {"malformed", linguistFile(" language=\"zh-CN\"", one).replace("</TS>", "")},
        {"not UTF-8", linguistFile(" language=\"zh-CN\"", message("\xc3", "", location("f.ui", "1")))},
    };
    for (const auto &c : cases)
        EXPECT_FALSE(QtTSLoader::LoadTranslationUnit(file(c.second), L"m")) << c.first;
    EXPECT_FALSE(QtTSLoader::LoadTranslationUnit((sandbox.base() + "/missing.ts").toStdWString(), L"m"));

    const std::optional<TSTranslationUnit> empty =
        QtTSLoader::LoadTranslationUnit(file("<TS language=\"zh-CN\"><other/></TS>"), L"m");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->IsEmpty());
}

TEST_F(QtTSLoaderTest, ScrambledFilesWhenTheyAreExpected)
{
    SetCurrentLanguage(L"ja-JP", true);
    const QByteArray contents = linguistFile(
        " language=\"ja-JP\"", message("Cancel", "<translation>\xe3\x82\xad\xe3\x83\xa3\xe3\x83\xb3\xe3\x82\xbb\xe3\x83\xab</translation>",
                                       location("f.ui", "3")));
    const QString scrambled = sandbox.base() + "/ja-JP.ts.ob";
    ASSERT_TRUE(ScrambledFiles::write(scrambled, contents));
    const std::optional<TSTranslationUnit> unit = QtTSLoader::LoadTranslationUnit(scrambled.toStdWString(), L"m");
    ASSERT_TRUE(unit);
    EXPECT_EQ(dump(*unit, L"m;f.ui"), L"3: Cancel => \u30ad\u30e3\u30f3\u30bb\u30eb\n");
    EXPECT_FALSE(QtTSLoader::LoadTranslationUnit(file(contents), L"m"));
}

TEST(TSTranslationUnitTest, AppendingFilesMessagesUnderTheModule)
{
    TSTranslationUnit other;
    other.AddMessageFromTS(L"old;options.ui", 3, {L"A", L"a"});
    other.AddMessageFromTS(L";options.ui", 4, {L"B", L"b"});
    other.AddMessageFromTS(L"bare.ui", 5, {L"C", L"c"});
    other.AddMessageFromTS(L"x;y.ui;z", 6, {L"D", L"d"});

    TSTranslationUnit unit;
    unit.AddMessageFromTS(L"new;options.ui", 3, {L"kept", L"kept"});
    unit.AppendTsTranslationUnit(other, L"new");
    EXPECT_EQ(dump(unit, L"new;options.ui"), L"3: kept => kept\n4: B => b\n");
    EXPECT_EQ(dump(unit, L"new;bare.ui"), L"5: C => c\n");
    EXPECT_EQ(dump(unit, L"new;y.ui"), L"6: D => d\n");
    EXPECT_EQ(dump(unit, L"old;options.ui"), L"<none>");
}
