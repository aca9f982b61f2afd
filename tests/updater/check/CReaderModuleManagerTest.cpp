// The judgement of a reply: which modules are offered and checked, and the flags,
// in each kind of run; the version rule, the availability rules, pruning and refusals.

#include "ModuleCheckFixture.h"

#include "CRegister.h"

using modulecheck::ModuleCheckTest;
using modulecheck::fixture;
using modulecheck::reply;

namespace {

const QStringList kUpdaterOnly = {QStringLiteral("Orbel PDF Reader Updater")};

class ModuleJudgementTest : public ModuleCheckTest
{
protected:
    void startRun(const QString &type, QStringList extra = {})
    {
        writeInstalled(fixture(QStringLiteral("UpdaterInfo.xml")));
        createInstalledFiles();
        start(QStringList{QStringLiteral("-updater"), QStringLiteral("-type"), type, QStringLiteral("-version"),
                          QStringLiteral("12.0.1.1234")}
                  + extra,
              type);
    }
};

TEST_F(ModuleJudgementTest, ListRunOffersWhatIsNewerOrMissing)
{
    startRun(QStringLiteral("Update List"));
    ASSERT_TRUE(judge(reply()));
    // Comments is current, Redaction was refused by the service, the cloud module
    // and the patch are pruned; Stamps "2.1" is older than 2.1.1.0.
    EXPECT_EQ(offered(), QStringList({"Orbel PDF Reader Updater", "Signature", "Stamps", "Translator", "OCR_Japanese",
                                      "Dictionary"}));
    EXPECT_TRUE(checked().isEmpty());
    const QueryResultInfo result = manager->GetQueryResultInfo();
    EXPECT_TRUE(result.bQueryDone);
    EXPECT_TRUE(result.bHasUpdate);
    EXPECT_TRUE(result.bHasAdminUpdate); // Translator asks for update mode 2
    EXPECT_TRUE(theApp->IsReplyParsed());

    const MODULEINFO *reader = offeredModule("Orbel PDF Reader Updater");
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->updaterType, "Update List");
    EXPECT_EQ(reader->version, "12.1.0.5");
    EXPECT_EQ(reader->size, "187654321B");
    EXPECT_EQ(reader->md5, "0f1e2d3c4b5a69788796a5b4c3d2e1f0");
    EXPECT_EQ(reader->downloadTempFile, "OrbelPDFReader_12.1.0.5.ozip");
    EXPECT_FALSE(reader->bMajorUpgrade);
    EXPECT_TRUE(reader->autoCheck);
    EXPECT_TRUE(offeredModule("OCR_Japanese")->bOcrModule);
    EXPECT_TRUE(offeredModule("OCR_Japanese")->SilentInstall);
    EXPECT_FALSE(offeredModule("Signature")->bOcrModule);
    EXPECT_TRUE(offeredModule("Signature")->plugin);
    EXPECT_EQ(offeredModule("Translator")->update_mode, 2);
    // Only an internal run turns a url into a path.
    EXPECT_EQ(offeredModule("Dictionary")->url, "file:///Volumes/Share/Dictionary%20Pack.ozip");
    EXPECT_FALSE(manager->isSilentUpdate());
    EXPECT_TRUE(manager->CheckVersionUpdate());
}

TEST_F(ModuleJudgementTest, AutoRunOffersOnlyInstalledModulesAndChecksThem)
{
    startRun(QStringLiteral("Auto Updater"));
    ASSERT_TRUE(judge(reply()));
    const QStringList expected = {"Orbel PDF Reader Updater", "Signature", "Stamps", "OCR_Japanese"};
    EXPECT_EQ(offered(), expected);
    EXPECT_EQ(checked(), expected);
    EXPECT_TRUE(manager->GetQueryResultInfo().bHasUpdate);
    EXPECT_FALSE(manager->GetQueryResultInfo().bHasAdminUpdate);
}

TEST_F(ModuleJudgementTest, ComponentRunOffersEverythingAndChecksTheNamedPack)
{
    startRun(QStringLiteral("Translator"));
    ASSERT_TRUE(judge(reply()));
    EXPECT_EQ(offered(), QStringList({"Orbel PDF Reader Updater", "Signature", "Stamps", "Comments", "Translator",
                                      "OCR_Japanese", "Dictionary"}));
    EXPECT_EQ(checked(), QStringList{"Translator"});
    EXPECT_FALSE(manager->GetQueryResultInfo().bHasUpdate);
    EXPECT_TRUE(manager->GetQueryResultInfo().bHasAdminUpdate);
}

TEST_F(ModuleJudgementTest, InternalRunTurnsFileUrlsIntoPathsAndKeepsWebUrls)
{
    RUN_IN_READER_BUNDLE();
    startRun(QStringLiteral("Update List"));
    theApp->SetInternalUrl(true);
    ASSERT_TRUE(judge(reply()));
    EXPECT_EQ(offered(), QStringList({"Orbel PDF Reader Updater", "Signature", "Stamps", "Translator", "OCR_Japanese",
                                      "Dictionary"}));
    EXPECT_EQ(offeredModule("Dictionary")->url, "/Volumes/Share/Dictionary Pack.ozip");
    EXPECT_EQ(offeredModule("Dictionary")->downloadTempFile, "Dictionary Pack.ozip");
    EXPECT_EQ(offeredModule("Signature")->url,
              "https://dl.orbel-software.example/addons/Signature_3.2.0.0.ozip");
}

TEST_F(ModuleJudgementTest, ScheduleGateRecordsANewScheduleAndOffersNothingThatTime)
{
    RUN_IN_READER_BUNDLE();
    startRun(QStringLiteral("Update List"));
    theApp->SetInternalUrl(true);
    const QString scheduleFile = bundle() + QStringLiteral("/Contents/Helpers/scheduleTime.txt");
    EXPECT_EQ(manager->GetScheduleTimePath(), scheduleFile);

    ASSERT_TRUE(sandbox.writeFile(scheduleFile, "2"));
    ASSERT_TRUE(judge(reply("scheduleTime=\"2\"")));
    EXPECT_EQ(manager->CountAvailableModule(), 6);

    ASSERT_TRUE(judge(reply("scheduleTime=\"3\"")));
    EXPECT_EQ(manager->CountAvailableModule(), 0);
    EXPECT_FALSE(manager->GetQueryResultInfo().bHasUpdate);
    EXPECT_EQ(sandbox.readFile(scheduleFile), QByteArray("3"));

    ASSERT_TRUE(judge(reply("scheduleTime=\"3\"")));
    EXPECT_EQ(manager->CountAvailableModule(), 6);

    ASSERT_TRUE(judge(reply()));
    EXPECT_EQ(manager->CountAvailableModule(), 6);
    EXPECT_FALSE(QFileInfo::exists(scheduleFile));
}

TEST_F(ModuleJudgementTest, RollbackOffersTheCurrentReaderInInternalRunsOnly)
{
    RUN_IN_READER_BUNDLE();
    writeInstalled(fixture(QStringLiteral("UpdaterInfo.xml")));
    createInstalledFiles();
    start({QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List"),
           QStringLiteral("-version"), QStringLiteral("12.1.0.5")},
          QStringLiteral("Update List"));

    ASSERT_TRUE(judge(reply("rollback=\"true\"")));
    EXPECT_FALSE(offered().contains(kUpdaterOnly.first()));
    EXPECT_FALSE(theApp->IsRollBack());

    theApp->SetInternalUrl(true);
    ASSERT_TRUE(judge(reply("rollback=\"True\"")));
    EXPECT_TRUE(theApp->IsRollBack());
    EXPECT_TRUE(offered().contains(kUpdaterOnly.first()));
}

TEST_F(ModuleJudgementTest, FlagsFollowWhatIsLeftAfterPruning)
{
    startRun(QStringLiteral("Update List"));
    const QByteArray onlyPruned =
        "<addons><addon name=\"OrbelCloud\" version=\"5.0.0.0\" result=\"true\" update_mode=\"2\""
        " isInternalService=\"TRUE\"/></addons>";
    ASSERT_TRUE(judge(onlyPruned));
    EXPECT_EQ(manager->CountAvailableModule(), 0);
    EXPECT_FALSE(manager->GetQueryResultInfo().bHasUpdate);
    EXPECT_FALSE(manager->GetQueryResultInfo().bHasAdminUpdate);

    // "TRUE" must begin the text, in capitals, for the pruning.
    const QByteArray kept = "<addons><addon name=\"OrbelCloud\" version=\"5.0.0.0\" result=\"true\" update_mode=\"2\""
                            " isInternalService=\"true\"/></addons>";
    ASSERT_TRUE(judge(kept));
    EXPECT_EQ(offered(), QStringList{"OrbelCloud"});
    EXPECT_TRUE(manager->GetQueryResultInfo().bHasUpdate);
    EXPECT_TRUE(manager->GetQueryResultInfo().bHasAdminUpdate);
}

TEST_F(ModuleJudgementTest, PatchPruningTakesTheLastPatchOnlyWhenAnUpdaterIsOffered)
{
    startRun(QStringLiteral("Translator"));
    const QByteArray replyBytes = "<r><m name=\"PatchA\" result=\"true\"/><m name=\"Reader Updater\" result=\"true\"/>"
                                  "<m name=\"PatchB\" result=\"true\"/></r>";
    ASSERT_TRUE(judge(replyBytes));
    EXPECT_EQ(offered(), QStringList({"PatchA", "Reader Updater"}));
    manager->DeletePatchUpdate();
    EXPECT_EQ(offered(), QStringList{"Reader Updater"});
    manager->DeletePatchUpdate();
    EXPECT_EQ(offered(), QStringList{"Reader Updater"});

    ASSERT_TRUE(judge("<r><m name=\"PatchA\" result=\"true\"/><m name=\"PatchB\" result=\"true\"/></r>"));
    EXPECT_EQ(offered(), QStringList({"PatchA", "PatchB"}));
}

TEST_F(ModuleJudgementTest, UnreadableRepliesAreNotParsedReplies)
{
    startRun(QStringLiteral("Update List"));
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {{"empty", QByteArray()}, {"binary", QByteArray("\x1f\x8b\x08\x00\x00\x01", 6)}, {"text", "service unavailable"}};
    for (const auto &c : cases) {
        ASSERT_TRUE(judge(reply()));
        EXPECT_FALSE(judge(c.bytes)) << c.what;
        EXPECT_EQ(manager->CountAvailableModule(), 0) << c.what;
        EXPECT_TRUE(manager->GetQueryResultInfo().bQueryDone) << c.what;
        EXPECT_FALSE(manager->GetQueryResultInfo().bHasUpdate) << c.what;
        EXPECT_FALSE(theApp->IsReplyParsed()) << c.what;
    }
    EXPECT_FALSE(manager->OnPaserModuleInfo(sandbox.base() + QStringLiteral("/absent.xml")));

    // A valid reply with nothing in it is a parsed reply that offers nothing.
    EXPECT_TRUE(judge("<addons/>"));
    EXPECT_EQ(manager->CountAvailableModule(), 0);
    EXPECT_TRUE(theApp->IsReplyParsed());
}

TEST_F(ModuleJudgementTest, ReminderValueDropsThatVersionExceptForTheReader)
{
    startRun(QStringLiteral("Update List"));
    const QString key = QStringLiteral("Software\\Orbel Software\\Orbel PDF Reader\\plugins\\Updater");
    ASSERT_TRUE(CRegister::regSetString(key, QStringLiteral("Signature"), QStringLiteral("3.2.0.0")));
    ASSERT_TRUE(CRegister::regSetString(key, QStringLiteral("Stamps"), QStringLiteral("2.0.0.0")));
    ASSERT_TRUE(CRegister::regSetString(key, QStringLiteral("Orbel PDF Reader Updater"), QStringLiteral("12.1.0.5")));
    ASSERT_TRUE(judge(reply()));
    EXPECT_EQ(offered(), QStringList({"Orbel PDF Reader Updater", "Stamps", "Translator", "OCR_Japanese",
                                      "Dictionary"}));
}

TEST_F(ModuleJudgementTest, EveryReplyAttributeFillsItsField)
{
    startRun(QStringLiteral("Pack"));
    ASSERT_TRUE(judge("<r><m name=\"Old\" name=\"Pack\" title=\"T\" version=\"1.0\" size=\"5B\" description=\"D\""
                      " url=\"https://h.example/p.ozip\" regkey=\"K\" level=\"3\" result=\"True\" module_type=\"basic\""
                      " plugin=\"TRUE\" isnew=\"yes\" iscommon=\"true\" parent=\"P\" update_mode=\"x\""
                      " isInternalService=\"TRUE-ish\" CorvidPDFStandard=\"\" forcedUpgrade=\"True\""
                      " SilentInstall=\"tRuE\" releaseDate=\"2026-01-02\" autoCheck=\"TRUE\""
                      " pushUpdateTip=\"true\" md5=\"M\" upgTipBtn=\"B\" upgTipTitle=\"TT\" upgTipContent=\"C\""
                      " is_push=\"1\" unknown=\"u\"/>"
                      "<m name=\"Q\" result=\"true\" update_mode=\"2\" is_push=\"yes\" forcedUpgrade=\"1\""
                      " CorvidPDFStandard=\"x\"/></r>"));
    ASSERT_EQ(offered(), QStringList({"Pack", "Q"}));
    const MODULEINFO *m = offeredModule("Pack");
    // The later of two equal names wins.
    const std::pair<std::string, const char *> texts[] = {
        {m->updaterType, "Pack"},
        {m->title, "T"},
        {m->version, "1.0"},
        {m->size, "5B"},
        {m->description, "D"},
        {m->url, "https://h.example/p.ozip"},
        {m->regkey, "K"},
        {m->level, "3"},
        {m->module_type, "basic"},
        {m->parent, "P"},
        {m->isInternalService, "TRUE-ish"},
        {m->hasCorvidPDFStandard, "TRUE"},
        {m->CorvidPDFStandard, ""},
        {m->releaseDate, "2026-01-02"},
        {m->md5, "M"},
        {m->upgTipBtn, "B"},
        {m->upgTipTitle, "TT"},
        {m->upgTipContent, "C"},
        {m->downloadTempFile, "p.ozip"},
    };
    for (const auto &t : texts)
        EXPECT_EQ(t.first, t.second);
    EXPECT_TRUE(m->result && m->plugin && m->iscommon && m->SilentInstall && m->autoCheck && m->pushUpdateTip);
    EXPECT_TRUE(m->is_push);
    EXPECT_TRUE(m->forcedUpgrade);
    EXPECT_FALSE(m->isnew);
    EXPECT_EQ(m->update_mode, 0);
    EXPECT_TRUE(m->bChecked);

    const MODULEINFO *q = offeredModule("Q");
    EXPECT_EQ(q->update_mode, 2);
    EXPECT_FALSE(q->is_push || q->forcedUpgrade);
    EXPECT_FALSE(q->bChecked);
    EXPECT_EQ(q->hasCorvidPDFStandard, "TRUE");
    EXPECT_EQ(q->CorvidPDFStandard, "x");
}

TEST_F(ModuleJudgementTest, MissingInstalledListInListAndAutoRuns)
{
    start({QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List"),
           QStringLiteral("-version"), QStringLiteral("12.1.0.5")},
          QStringLiteral("Update List"));
    const QByteArray replyBytes = "<r><m name=\"A\" result=\"true\"/><m name=\"B\" result=\"true\" iscommon=\"true\"/>"
                                  "<m name=\"C\" result=\"true\" autoCheck=\"TRUE\"/></r>";
    ASSERT_TRUE(judge(replyBytes));
    EXPECT_EQ(offered(), QStringList({"A", "C"}));

    manager.reset(new CReaderModuleManager(QStringLiteral("Auto Updater")));
    ASSERT_TRUE(judge(replyBytes));
    EXPECT_EQ(offered(), QStringList{"C"});
}

// ---------------------------------------------------------------------------

TEST_F(ModuleCheckTest, CompareVersionReadsMissingFieldsAsZero)
{
    start({}, QStringLiteral("Update List"));
    const struct
    {
        const char *a;
        const char *b;
        int expected;
    } cases[] = {
        {"10.0.0.0", "9.9.9.9", 1},  {"1.2.3.4", "1.2.3.4", 0},  {"1.2.3.4", "1.2.3.5", -1},
        {"7", "7.0.0.0", 0},         {"7", "7.7.7.7", -1},        {"7.1", "7.1.0.0", 0},
        {"7.1.2", "7.1.2.2", -1},    {"12.1", "12.1.0.5", -1},    {"2.1", "2.1.1.0", -1},
        {"1.2.3.4.5", "1.2.3.0", 0}, {"1.x.3.4", "1.0.3.4", 0},   {"", "0.0.0.0", 0},
        {"7.", "7", 0},              {"1.10", "1.9", 1},          {"3.0.0.1", "3", 1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(manager->CompareVersion(QLatin1String(c.a), QLatin1String(c.b)), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(manager->CompareVersion(QLatin1String(c.b), QLatin1String(c.a)), -c.expected) << c.b << " vs " << c.a;
    }
}

TEST_F(ModuleCheckTest, AvailabilityRules)
{
    writeInstalled("<updater_info><c name=\"A\" version=\"1. 2.3.4\"/><c name=\"A\" version=\"9.0\"/>"
                   "<c name=\"B\" version=\"2.0\"/></updater_info>");
    start({QStringLiteral("-version"), QStringLiteral("12.1")}, QStringLiteral("Update List"));
    QVector<_UpdaterInfo *> installed;
    manager->ParseUpdaterInfo(installed);
    ASSERT_EQ(installed.size(), 3);
    QVector<_UpdaterInfo *> none;

    enum Rule { Module, Auto, Updater };
    const struct
    {
        Rule rule;
        const char *name;
        const char *version;
        const char *type;
        bool common;
        bool push;
        bool useInstalled;
        bool expected;
    } cases[] = {
        {Module, "A", "1.2.3.4", "basic", false, false, true, true},    // spaces removed; first match used
        {Module, "A", "1.2.3.5", "basic", false, false, true, false},
        {Module, "B", "2.0.0.0", "basic", false, false, true, true},
        {Module, "B", "2.0.0.1", "basic", false, false, true, false},
        {Module, "Z", "1.0", "basic", false, false, true, false},       // not installed: offered
        {Module, "Z", "1.0", "basic", false, false, false, false},      // no list: offered
        {Module, "Z", "1.0", "basic", true, false, false, true},        // common: nothing to do
        {Module, "R", "12.1.0.5", "updater", true, false, true, false}, // common reader: its own rule
        {Module, "R", "12.1.0.5", "updater", false, false, true, false},
        {Module, "R", "12.1.0.0", "updater", false, false, true, true},
        {Auto, "A", "1.2.3.5", "basic", false, false, true, false},
        {Auto, "A", "1.2.3.4", "basic", false, false, true, true},
        {Auto, "Z", "1.0", "basic", false, false, true, true},          // never offers what is not installed
        {Auto, "Z", "1.0", "basic", false, false, false, true},
        {Updater, "R", "12.1.0.5", "updater", false, false, true, false},
        {Updater, "R", "12.1", "updater", false, false, true, true},
        {Updater, "R", "12.0.9.9", "updater", false, true, true, false}, // pushed: always offered
        {Updater, "A", "99", "basic", false, true, true, true},          // not the reader: nothing
    };
    for (const auto &c : cases) {
        MODULEINFO record;
        record.name = c.name;
        record.version = c.version;
        record.module_type = c.type;
        record.iscommon = c.common;
        record.is_push = c.push;
        QVector<_UpdaterInfo *> &list = c.useInstalled ? installed : none;
        bool answer = false;
        switch (c.rule) {
        case Module: answer = manager->CheckModuleAvailable(&record, list); break;
        case Auto: answer = manager->CheckAutoupdateModuleAvailable(&record, list); break;
        case Updater: answer = manager->CheckUpdaterAvailable(&record, false); break;
        }
        EXPECT_EQ(answer, c.expected) << c.rule << " " << c.name << " " << c.version << " " << c.type;
    }

    // An automatic run never takes a current reader update, common or not.
    CReaderModuleManager autoManager(QStringLiteral("Auto Updater"));
    MODULEINFO reader;
    reader.module_type = "updater";
    reader.iscommon = true;
    reader.version = "12.2";
    EXPECT_FALSE(autoManager.CheckModuleAvailable(&reader, installed));
    reader.version = "12.0";
    EXPECT_TRUE(autoManager.CheckModuleAvailable(&reader, installed));
    manager->ReleaseUpdaterInfoList(installed);
}

TEST_F(ModuleCheckTest, InstalledListAndForcedUpgrades)
{
    writeInstalled(fixture(QStringLiteral("UpdaterInfo.xml")));
    start({QStringLiteral("-version"), QStringLiteral("12.0.1.1234")}, QStringLiteral("Update List"));
    QVector<_UpdaterInfo *> installed;
    manager->ParseUpdaterInfo(installed);
    ASSERT_EQ(installed.size(), 5);
    EXPECT_EQ(installed.at(3)->name, "OCR_Japanese");
    EXPECT_EQ(installed.at(3)->version, "1. 4.0.0");
    EXPECT_EQ(installed.at(3)->paths,
              QStringList({"/Applications/Orbel PDF Reader.app/Contents/PlugIns/OCR_Japanese.bundle",
                           "/Applications/Orbel PDF Reader.app/Contents/Resources/ocr/jpn.dat"}));
    EXPECT_TRUE(installed.at(4)->paths.isEmpty());

    MODULEINFO signature;
    signature.name = "Signature";
    signature.version = "3.1.0.0";
    // Same version, but a file of the component is gone: reinstall.
    EXPECT_TRUE(manager->CheckForcedUpgradeVersion(&signature, installed));
    createInstalledFiles();
    EXPECT_FALSE(manager->CheckForcedUpgradeVersion(&signature, installed));
    signature.version = "3.1.0.1";
    EXPECT_TRUE(manager->CheckForcedUpgradeVersion(&signature, installed));
    MODULEINFO other;
    other.name = "Unknown";
    EXPECT_TRUE(manager->CheckForcedUpgradeVersion(&other, installed));
    MODULEINFO reader;
    reader.name = "Signature";
    reader.module_type = "updater";
    reader.forcedUpgrade = true;
    EXPECT_TRUE(manager->CheckForcedUpgradeVersion(&reader, installed));
    manager->ReleaseUpdaterInfoList(installed);

    // Without the "updater_info" text, or unparsable, the list stays empty.
    for (const QByteArray &bytes : {QByteArray("<list><c name=\"A\" version=\"1\"/></list>"),
                                    QByteArray("updater_info, but no markup"), QByteArray()}) {
        writeInstalled(bytes);
        manager->ParseUpdaterInfo(installed);
        EXPECT_TRUE(installed.isEmpty()) << bytes.constData();
    }
}

TEST_F(ModuleCheckTest, MajorUpgradeAndReminderCount)
{
    start({QStringLiteral("-version"), QStringLiteral("12.0.1.1234")}, QStringLiteral("Update List"));
    EXPECT_TRUE(manager->CheckMajorVersionUpgrade(QStringLiteral("13.0.0.1")));
    EXPECT_TRUE(manager->CheckMajorVersionUpgrade(QStringLiteral("13")));
    EXPECT_FALSE(manager->CheckMajorVersionUpgrade(QStringLiteral("12.9")));
    EXPECT_FALSE(manager->CheckMajorVersionUpgrade(QStringLiteral("x.1")));

    const QString key = QStringLiteral("Software\\Orbel Software\\Orbel PDF Reader\\plugins\\Updater");
    MODULEINFO record;
    record.version = "13.0.0.1";
    EXPECT_TRUE(manager->MajorUpdateChecked(&record));
    CRegister::regSetString(key, QStringLiteral("UpdateRejectVersion"), QStringLiteral("13.0.0.1"));
    CRegister::regSetDword(key, QStringLiteral("MajorUpdateChecked"), 2);
    EXPECT_TRUE(manager->MajorUpdateChecked(&record));
    CRegister::regSetDword(key, QStringLiteral("MajorUpdateChecked"), 3);
    EXPECT_FALSE(manager->MajorUpdateChecked(&record));
    record.version = "13.0.0.2";
    EXPECT_TRUE(manager->MajorUpdateChecked(&record));
}

TEST_F(ModuleCheckTest, RefusalsAreWrittenAndHonouredUntilTheReaderChanges)
{
    writeInstalled("<updater_info><c name=\"A\" version=\"1.0\"/><c name=\"B\" version=\"3.0\"/></updater_info>");
    start({QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Auto Updater"),
           QStringLiteral("-version"), QStringLiteral("12.0")},
          QStringLiteral("Auto Updater"));
    MODULEINFO a;
    a.name = "A";
    a.version = "2.0";
    MODULEINFO b;
    b.name = "B";
    b.version = "3.1";
    manager->WriteRejectAutoUpdateInfo({&a, &b}, false);
    EXPECT_EQ(CRegister::regGetString(QStringLiteral("AutoUpdate_A"), QString()), QStringLiteral("2.0"));
    EXPECT_EQ(CRegister::regGetString(QStringLiteral("AutoUpdate_B"), QString()), QStringLiteral("3.1"));
    EXPECT_EQ(CRegister::regGetString(QStringLiteral("currentVersion"), QString()), QStringLiteral("12.0"));

    EXPECT_TRUE(manager->ParseRejectAutoUpdateInfo("A", "2.0"));
    EXPECT_FALSE(manager->ParseRejectAutoUpdateInfo("A", "2.1"));
    const QByteArray offers2 = "<r><m name=\"A\" version=\"2.0\" result=\"true\"/>"
                               "<m name=\"B\" version=\"3.2\" result=\"true\"/></r>";
    ASSERT_TRUE(judge(offers2));
    EXPECT_EQ(offered(), QStringList{"B"});
    ASSERT_TRUE(judge("<r><m name=\"A\" version=\"2.1\" result=\"true\"/></r>"));
    EXPECT_EQ(offered(), QStringList{"A"});

    // The reader itself was updated: the refusal lapses.
    TearDown();
    start({QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Auto Updater"),
           QStringLiteral("-version"), QStringLiteral("12.1")},
          QStringLiteral("Auto Updater"));
    EXPECT_FALSE(manager->ParseRejectAutoUpdateInfo("A", "2.0"));
    ASSERT_TRUE(judge(offers2));
    EXPECT_EQ(offered(), QStringList({"A", "B"}));

    // An empty list still records the reader version; an empty version is never refused.
    manager->WriteRejectAutoUpdateInfo({}, false);
    EXPECT_EQ(CRegister::regGetString(QStringLiteral("currentVersion"), QString()), QStringLiteral("12.1"));
    MODULEINFO unnamed;
    unnamed.name = "C";
    manager->WriteRejectAutoUpdateInfo({&unnamed}, false);
    EXPECT_FALSE(manager->ParseRejectAutoUpdateInfo("C", ""));

    // No store of refused forced upgrades exists; one that is given is honoured.
    QVector<_HasRejectForceUpdaterInfo *> refused;
    manager->ParseHasRejectForceUpdaterInfo(refused);
    EXPECT_TRUE(refused.isEmpty());
    _HasRejectForceUpdaterInfo entry{"A", "2.0", ""};
    refused.append(&entry);
    EXPECT_TRUE(manager->CheckHasRejectForcedUpgrade(&a, refused));
    a.version = "2.0.0.1";
    EXPECT_FALSE(manager->CheckHasRejectForcedUpgrade(&a, refused));
    EXPECT_FALSE(manager->CheckHasRejectForcedUpgrade(&b, refused));
}

TEST_F(ModuleCheckTest, RecordsAndSmallHelpers)
{
    start({}, QStringLiteral("Update List"));
    manager->ReleaseModuleInfo();

    MODULEINFO *record = manager->AddModule(QStringLiteral("Update List"));
    EXPECT_EQ(record->updaterType, "Update List");
    EXPECT_TRUE(record->name.empty());
    EXPECT_FALSE(record->result || record->bChecked || record->SilentInstall);
    EXPECT_EQ(record->update_mode, 0);
    record->name = "X";
    record->forcedUpgrade = record->SilentInstall = record->bMajorUpgrade = true;
    record->is_push = record->bChecked = true;
    MODULEINFO *clone = manager->CloneAvailableModuleInfo(record);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->name, "X");
    EXPECT_TRUE(clone->is_push && clone->bChecked);
    EXPECT_FALSE(clone->forcedUpgrade || clone->SilentInstall || clone->bMajorUpgrade);
    EXPECT_EQ(manager->CloneAvailableModuleInfo(nullptr), nullptr);
    // The received record is the manager's too: released with the rest, never by hand.
    EXPECT_EQ(manager->CountAvailableModule(), 1);
    EXPECT_FALSE(manager->isSilentUpdate());
    clone->SilentInstall = true;
    EXPECT_TRUE(manager->isSilentUpdate());
    manager->ReleaseModuleInfo();
    EXPECT_EQ(manager->CountAvailableModule(), 0);
    EXPECT_FALSE(manager->isSilentUpdate());

    const struct
    {
        const char *url;
        const char *name;
    } names[] = {{"https://h.example/a/b/pkg.ozip", "pkg.ozip"},
                 {"pkg.ozip", "pkg.ozip"},
                 {"https://h.example/dir/", ""},
                 {"/Volumes/Share/Dictionary Pack.ozip", "Dictionary Pack.ozip"}};
    for (const auto &n : names)
        EXPECT_EQ(manager->GetDownloadTempFileName(QLatin1String(n.url)), QLatin1String(n.name)) << n.url;

    manager->setLangParm(25, 44);
    EXPECT_EQ(manager->GetLocalLangName(), QStringLiteral("zh-CN"));
    manager->setLangParm(9999, 0);
    EXPECT_EQ(manager->GetLocalLangName(), QStringLiteral("en-US"));
}

} // namespace
