#include "CSetup_CommandLine.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> paths(std::initializer_list<const char *> list)
{
    std::vector<std::string> out;
    for (const char *p : list)
        out.emplace_back(p);
    return out;
}

struct ParseCase
{
    const char *name;
    const char *command;
    bool result;
    std::function<void(const CSetup_CommandLine &)> check;
};

void PrintTo(const ParseCase &c, std::ostream *os)
{
    *os << c.name;
}

class CommandLineParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(CommandLineParse, ParsesToTheExpectedValues)
{
    const ParseCase &c = GetParam();
    CSetup_CommandLine cmd;
    EXPECT_EQ(cmd.ProcessCmdLine(QString::fromUtf8(c.command)), c.result);
    c.check(cmd);
}

const ParseCase kCases[] = {
    {"Empty", "", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_FALSE(c.IsUpdater());
         EXPECT_FALSE(c.IsInsatll());
         EXPECT_FALSE(c.IsRun());
         EXPECT_FALSE(c.IsEmpty());
         EXPECT_EQ(c.GetAutoUpdateMode(), "1");
         EXPECT_EQ(c.GetReaderPath(), "");
         EXPECT_TRUE(c.GetVecOzipPath().empty());
         EXPECT_TRUE(c.getoatlcerturl().isNull());
         EXPECT_EQ(c.GetReaderFrameWnd(), 0u);
         EXPECT_EQ(c.GetMainFrameRect(), QRect());
         EXPECT_FALSE(c.IsRollBackRun());
     }},
    {"RealisticUpdateList",
     "-updater -type \"Update List\" -readerpath \"/Applications/Orbel PDF Reader.app\" -version 12.1.0.1234 "
     "-readerlang en-US -PackageType general -Edition Business -SessionID s-1 -UpdateMode 2",
     true,
     [](const CSetup_CommandLine &c) {
         EXPECT_TRUE(c.IsUpdater());
         EXPECT_EQ(c.GetUpdaterType(), "Update List");
         EXPECT_EQ(c.GetReaderPath(), "/Applications/Orbel PDF Reader.app");
         EXPECT_EQ(c.GetReaderPathFromcmd(), c.GetReaderPath());
         EXPECT_EQ(c.GetReaderVersion(), "12.1.0.1234");
         EXPECT_EQ(c.GetReaderLang(), "en-US");
         EXPECT_EQ(c.GetPackageType(), "general");
         EXPECT_EQ(c.GetEdition(), "Business");
         EXPECT_EQ(c.GetSessionID(), "s-1");
         EXPECT_EQ(c.GetAutoUpdateMode(), "2");
     }},
    {"UpdaterThenInstall", "-updater -install", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_TRUE(c.IsUpdater());
         EXPECT_FALSE(c.IsInsatll());
     }},
    {"InstallThenUpdater", "/install /updater", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_TRUE(c.IsUpdater());
         EXPECT_FALSE(c.IsInsatll());
     }},
    {"InstallAlone", "-install -run -insForceUpdate -bInternalService", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_TRUE(c.IsInsatll());
         EXPECT_TRUE(c.IsRun());
         EXPECT_TRUE(c.IsInsForceUpdate());
     }},
    {"TypeBeforeUpdater", "-type \"Update List\" -updater", false,
     [](const CSetup_CommandLine &c) {
         EXPECT_FALSE(c.IsUpdater());
         EXPECT_EQ(c.GetUpdaterType(), "");
     }},
    {"SlashValueThatIsASwitch", "-readerpath /run", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_TRUE(c.IsRun());
         EXPECT_EQ(c.GetReaderPath(), "");
     }},
    {"SlashValueThatIsNoSwitch", "-readerpath /Applications/Reader", true,
     [](const CSetup_CommandLine &c) { EXPECT_EQ(c.GetReaderPath(), "/Applications/Reader"); }},
    {"SwitchNeverConsumesPendingValue", "-readerpath -version 5 /x", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.GetReaderPath(), "5");
         EXPECT_EQ(c.GetReaderVersion(), "/x");
     }},
    {"EmptyQuotedWordLeavesValuePending", "-UserEmail \"\" x", true,
     [](const CSetup_CommandLine &c) { EXPECT_EQ(c.GetUserEmail(), "x"); }},
    {"UpdateModeOutOfRangeDropped", "-UpdateMode 3", true,
     [](const CSetup_CommandLine &c) { EXPECT_EQ(c.GetAutoUpdateMode(), "1"); }},
    {"UpdateModeZero", "-UpdateMode 0", true,
     [](const CSetup_CommandLine &c) { EXPECT_EQ(c.GetAutoUpdateMode(), "0"); }},
    {"OzipPathTwoPaths", "-OzipPath /a/one.ozip|/b/two.ozip", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.GetVecOzipPath(), paths({"/a/one.ozip", "/b/two.ozip"}));
         EXPECT_FALSE(c.IsRollBackRun());
     }},
    {"OzipPathEmptyPiecesSkipped", "-OzipPath |a||b|", true,
     [](const CSetup_CommandLine &c) { EXPECT_EQ(c.GetVecOzipPath(), paths({"a", "b"})); }},
    {"OzipPathThreeFields", "-OzipPath /p.ozip;u;m;z", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.GetVecOzipPath(), paths({"/p.ozip"}));
         EXPECT_EQ(c.GetUserEmail(), "m");
         EXPECT_TRUE(c.IsRollBackRun());
     }},
    {"OzipPathTwoSemicolonsSetsNoEmail", "-UserEmail keep -OzipPath /p.ozip;u;m", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.GetUserEmail(), "keep");
         EXPECT_TRUE(c.IsRollBackRun());
     }},
    {"OzipPathTrailingSemicolonOnly", "-OzipPath /p.ozip;", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.GetVecOzipPath(), paths({"/p.ozip"}));
         EXPECT_FALSE(c.IsRollBackRun());
     }},
    {"LaterOzipPathReplaces", "-OzipPath a|b -OzipPath c", true,
     [](const CSetup_CommandLine &c) { EXPECT_EQ(c.GetVecOzipPath(), paths({"c"})); }},
    {"LoneDashStops", "-run - -install", false,
     [](const CSetup_CommandLine &c) {
         EXPECT_TRUE(c.IsRun());
         EXPECT_FALSE(c.IsInsatll());
     }},
    {"LoneSlashStops", "/", false, [](const CSetup_CommandLine &) {}},
    {"StrayWordStops", "stray -run", false, [](const CSetup_CommandLine &c) { EXPECT_FALSE(c.IsRun()); }},
    {"UnknownSwitchIsStrayWord", "-bogus", false, [](const CSetup_CommandLine &) {}},
    {"UnknownSwitchAsValue", "-version -bogus", true,
     [](const CSetup_CommandLine &c) { EXPECT_EQ(c.GetReaderVersion(), "-bogus"); }},
    {"SwitchNamesAreCaseSensitive", "-Run", false, [](const CSetup_CommandLine &c) { EXPECT_FALSE(c.IsRun()); }},
    {"UnclosedQuoteIsLastWord", "-readerpath \"/a b", true,
     [](const CSetup_CommandLine &c) { EXPECT_EQ(c.GetReaderPath(), "/a b"); }},
    {"TextBeforeQuoteDropped", "-version ab\"cd\"", true,
     [](const CSetup_CommandLine &c) { EXPECT_EQ(c.GetReaderVersion(), "cd"); }},
    {"TextAfterClosingQuoteIsNewWord", "-version -readerlang \"ab\"cd", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.GetReaderVersion(), "ab");
         EXPECT_EQ(c.GetReaderLang(), "cd");
     }},
    {"TabsSeparate", "-version\t\t7.0 \t-run", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.GetReaderVersion(), "7.0");
         EXPECT_TRUE(c.IsRun());
     }},
    {"HwndAndUserDataDropped", "-hwnd 1234 -userhanderdata 99", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.GetReaderFrameWnd(), 0u);
         EXPECT_EQ(c.GetUserData(), 0u);
     }},
    {"CertificateValues",
     " -certeutlurl http://h/e -eutlfile /t/e.xml -certoatlurl http://h/o -oatlfile /t/o.xml -downtype auto", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.geteutlcerturl(), "http://h/e");
         EXPECT_EQ(c.geteutlfile(), "/t/e.xml");
         EXPECT_EQ(c.getoatlcerturl(), "http://h/o");
         EXPECT_EQ(c.getoatlfile(), "/t/o.xml");
         EXPECT_EQ(c.getdowntype(), "auto");
     }},
    {"PendingValuesServedInTableOrder", "-Edition -version one two", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.GetReaderVersion(), "one");
         EXPECT_EQ(c.GetEdition(), "two");
     }},
    {"InternalUrlAndComponentType", "-updater -type OCR_fr,OCR_de -InternalUpdateURL http://in/u?x=1", true,
     [](const CSetup_CommandLine &c) {
         EXPECT_EQ(c.GetUpdaterType(), "OCR_fr,OCR_de");
         EXPECT_EQ(c.GetInternalUpdateURL(), "http://in/u?x=1");
     }},
};

INSTANTIATE_TEST_SUITE_P(Table, CommandLineParse, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ParseCase> &info) { return std::string(info.param.name); });

TEST(CommandJoin, QuotesArgumentsWithBlanksOnlyForTheParse)
{
    const QStringList args = {QStringLiteral("-readerpath"), QStringLiteral("/Applications/Orbel PDF Reader.app"),
                              QStringLiteral("-version"), QStringLiteral("\"12 1\""), QStringLiteral("a\tb")};
    EXPECT_EQ(JoinCommandArguments(args),
              QStringLiteral("-readerpath /Applications/Orbel PDF Reader.app -version \"12 1\" a\tb"));
    EXPECT_EQ(JoinCommandArgumentsForParse(args),
              QStringLiteral("-readerpath \"/Applications/Orbel PDF Reader.app\" -version \"12 1\" \"a\tb\""));

    CSetup_CommandLine cmd;
    EXPECT_TRUE(cmd.ProcessCmdLine(JoinCommandArgumentsForParse(args.mid(0, 4))));
    EXPECT_EQ(cmd.GetReaderPath(), "/Applications/Orbel PDF Reader.app");
    EXPECT_EQ(cmd.GetReaderVersion(), "12 1");
}

} // namespace
