// The module manager's available list, selection and download control.

#include "CReaderModuleManager.h"
#include "DlgDownload.h"
#include "Sandbox.h"

#include <QCryptographicHash>

#include <QTest>
#include <memory>
#include <gtest/gtest.h>

namespace {

class Selection : public SandboxTest
{
protected:
    void SetUp() override { manager.reset(new CReaderModuleManager(QStringLiteral("OCR"))); }

    // Offers modules of these names, in order; "!" before a name marks a major upgrade.
    void offer(const QStringList &names)
    {
        manager->ReleaseModuleInfo();
        for (const QString &entry : names) {
            MODULEINFO *record = manager->CloneAvailableModuleInfo(manager->AddModule(QStringLiteral("OCR")));
            record->name = entry.startsWith('!') ? entry.mid(1).toStdString() : entry.toStdString();
            record->bMajorUpgrade = entry.startsWith('!');
        }
    }

    QStringList selected()
    {
        QStringList names;
        for (int i = 0; i < manager->CountSelModules(); ++i)
            names << QString::fromStdString(manager->GetSelModule(i)->name);
        return names;
    }

    // The window the test program registers for every manager.
    DlgDownload *window() const
    {
        auto *window = dynamic_cast<DlgDownload *>(manager->GetDownloadWindow());
        EXPECT_NE(window, nullptr);
        return window;
    }

    std::unique_ptr<CReaderModuleManager> manager;
};

TEST_F(Selection, SelectingByName)
{
    const struct
    {
        QStringList offered;
        const char *name;
        QStringList selected;
    } cases[] = {
        {{"OCR_en", "OCR", "OCR_ja"}, "OCR", {"OCR"}},       // the name itself before one containing it
        {{"OCR_en", "OCR_ja"}, "OCR", {"OCR_en"}},            // else the first containing it
        {{"OCR_en", "OCR_ja"}, "  OCR_ja \t", {"OCR_ja"}},    // surrounding blanks do not count
        {{"OCR_en"}, "ocr", {}},                              // case counts
        {{"Stamps"}, "OCR", {}},
        {{"!OCR", "Stamps"}, "OCR", {}},                      // a major upgrade among several is passed over
        {{"!OCR"}, "OCR", {"OCR"}},                           // ... but not when alone
        {{"!OCR", "OCR_en"}, "OCR", {"OCR_en"}},
        {{"OCR_en", "Stamps"}, "", {}},                       // a blank name asks for nothing
        {{"OCR_en", "Stamps"}, " \t ", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.offered.join(',').toStdString() + " / " + c.name);
        offer(c.offered);
        manager->AddSelModule(QString::fromLatin1(c.name));
        EXPECT_EQ(selected(), c.selected);
    }
}

TEST_F(Selection, WalkingTheSelectionAndIndexesOutOfRange)
{
    offer({"A", "B", "C"});
    MODULEINFO *a = manager->GetAvailabletModule(0);
    MODULEINFO *b = manager->GetAvailabletModule(1);
    MODULEINFO *c = manager->GetAvailabletModule(2);
    EXPECT_EQ(manager->GetNextSelModule(nullptr), nullptr);
    manager->AddSelModule(a);
    manager->AddSelModule(b);
    manager->AddSelModule(c);
    manager->InitSelModuleInfo();
    EXPECT_EQ(manager->CountSelModules(), 3);
    EXPECT_EQ(manager->GetNextSelModule(nullptr), a);
    EXPECT_EQ(manager->GetNextSelModule(a), b);
    EXPECT_EQ(manager->GetNextSelModule(b), c);
    EXPECT_EQ(manager->GetNextSelModule(c), nullptr);

    // A record selected twice: its index is its first place.
    manager->AddSelModule(a);
    EXPECT_EQ(manager->GetModuleSelIndex(a), 0);
    EXPECT_EQ(manager->GetNextSelModule(a), b);
    EXPECT_EQ(manager->GetModuleSelIndex(nullptr), -1);
    MODULEINFO stranger;
    EXPECT_EQ(manager->GetModuleSelIndex(&stranger), -1);
    EXPECT_EQ(manager->GetNextSelModule(&stranger), a);

    for (int index : {-1, 3, 1000})
        EXPECT_EQ(manager->GetAvailabletModule(index), nullptr) << index;
    for (int index : {-1, 4, 5})
        EXPECT_EQ(manager->GetSelModule(index), nullptr) << index;

    // Removing outside the list does nothing; inside it, the record leaves every list.
    manager->SetCurDownloadModuleInfo(a);
    manager->RemoveAvailableModule(3);
    manager->RemoveAvailableModule(-1);
    EXPECT_EQ(manager->CountAvailableModule(), 3);
    manager->RemoveAvailableModule(0);
    EXPECT_EQ(manager->CountAvailableModule(), 2);
    EXPECT_EQ(selected(), (QStringList{"B", "C"}));
    EXPECT_EQ(manager->GetCurDownloadModule(), nullptr);
}

TEST_F(Selection, CurrentDownloadFollowsTheWindowByName)
{
    offer({"A", "B", "A"});
    for (int i = 0; i < 3; ++i)
        manager->AddSelModule(manager->GetAvailabletModule(i));
    manager->Slot_SetCurrentDownloadModule(QStringLiteral("B"));
    EXPECT_EQ(manager->GetCurDownloadModule(), manager->GetAvailabletModule(1));
    // The last of several matches wins; no match changes nothing.
    manager->Slot_SetCurrentDownloadModule(QStringLiteral("A"));
    EXPECT_EQ(manager->GetCurDownloadModule(), manager->GetAvailabletModule(2));
    manager->Slot_SetCurrentDownloadModule(QStringLiteral("a"));
    EXPECT_EQ(manager->GetCurDownloadModule(), manager->GetAvailabletModule(2));
}

TEST_F(Selection, RecordsHaveOneOwnerWhateverRemovesThem)
{
    // A new parse, a release and the manager's end each take every record with
    // them, wherever they were listed; the leak checker sees the rest.
    offer({"A", "B"});
    manager->AddSelModule(manager->GetAvailabletModule(1));
    manager->SetCurDownloadModuleInfo(manager->GetAvailabletModule(1));
    manager->AddModule(QStringLiteral("OCR")); // received, never offered
    manager->ReleaseModuleInfo();
    EXPECT_EQ(manager->CountAvailableModule(), 0);
    EXPECT_EQ(manager->CountSelModules(), 0);
    EXPECT_EQ(manager->GetCurDownloadModule(), nullptr);

    offer({"C"});
    manager->AddSelModule(manager->GetAvailabletModule(0));
    const QString reply = sandbox.base() + QStringLiteral("/reply.xml");
    ASSERT_TRUE(sandbox.writeFile(reply, "<addons><addon name=\"D\" result=\"false\"/></addons>"));
    EXPECT_TRUE(manager->OnPaserModuleInfo(reply));
    EXPECT_EQ(manager->CountAvailableModule(), 0);
    EXPECT_EQ(manager->CountSelModules(), 0);
    manager->AddModule(QStringLiteral("OCR"));
    manager.reset();
}

TEST_F(Selection, DownloadControlWithoutADownloadDoesNothing)
{
    offer({"A"});
    manager->AddSelModule(manager->GetAvailabletModule(0));
    // Nothing runs: pause and resume change nothing and start nothing.
    manager->OnDownloadPause();
    manager->OnDownloadResume();
    EXPECT_TRUE(manager->QueryStopDownload());
    EXPECT_TRUE(manager->stopDownload());
    // No record: nothing is started, so the window never names a module.
    int named = 0;
    QObject::connect(window(), &DlgDownload::SignalSetCurrentDownloadModule,
                     [&](QString) { ++named; });
    manager->startDownload();
    manager->Download(nullptr);
    EXPECT_EQ(named, 0);
}

TEST_F(Selection, DownloadingAnyRecordDownloadsTheWholeSelection)
{
    offer({"A", "B", "C"});
    manager->AddSelModule(manager->GetAvailabletModule(0));
    manager->AddSelModule(manager->GetAvailabletModule(2));
    QStringList named;
    QStringList ended;
    QObject::connect(window(), &DlgDownload::SignalSetCurrentDownloadModule,
                     [&](QString name) { named << name; });
    QObject::connect(manager.get(), &CReaderModuleManager::sSendInstallProgress, [&](QString, int value) {
        if (value == -1 || value == 100)
            ended << QString::number(value);
    });
    // The records name no package, so each one fails at once and the next starts.
    manager->startDownload();
    manager->Download(manager->GetAvailabletModule(2));
    EXPECT_EQ(named, (QStringList{"A", "C"}));
    EXPECT_EQ(ended, (QStringList{"-1", "-1"}));
    EXPECT_EQ(manager->GetCurDownloadModule(), manager->GetAvailabletModule(2));
}

TEST(ModuleManagerHMac, KeyedDigestIsHmacMd5)
{
    CReaderModuleManager manager(QStringLiteral("Update List"));
    // Published HMAC-MD5 test cases.
    EXPECT_EQ(manager.HMac(QByteArray(16, '\x0b'), "Hi There"), QStringLiteral("9294727a3638bb1c13f48ef8158bfc9d"));
    EXPECT_EQ(manager.HMac("Jefe", "what do ya want for nothing?"), QStringLiteral("750c783e6ab0b503eaa86e310a5db738"));
    const QByteArray longKey(80, '\xaa');
    EXPECT_EQ(manager.HMac(longKey, "Test Using Larger Than Block-Size Key - Hash Key First"),
              QStringLiteral("6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd"));
    EXPECT_EQ(manager.HMac(longKey, "m"), manager.HMac(QCryptographicHash::hash(longKey, QCryptographicHash::Md5), "m"));
}

} // namespace
