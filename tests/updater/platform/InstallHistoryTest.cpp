#include "InstallHistory.h"

#include "BinaryPlistBuilder.h"
#include "PlistTool.h"
#include "Sandbox.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

class InstallHistoryTest : public SandboxTest
{
protected:
    QString historyFile() const { return sandbox.systemPath(QStringLiteral("/Library/Receipts/InstallHistory.plist")); }

    // A receipt as macOS writes it, dated `secs` after 2024-05-01 12:00:00 UTC.
    static QString receipt(int secs, const QString &name, const QString &identifier = QString(),
                           const QString &version = QStringLiteral("12.1"),
                           const QString &process = QStringLiteral("Installer"))
    {
        return QStringLiteral("{'date': datetime.datetime(2024, 5, 1, 12, 0, 0) + datetime.timedelta(seconds=%1),"
                              " 'displayName': '%2', 'displayVersion': '%3', 'packageIdentifiers': [%4],"
                              " 'processName': '%5'}")
            .arg(secs)
            .arg(name, version, identifier.isEmpty() ? QString() : QLatin1Char('\'') + identifier + QLatin1Char('\''),
                 process);
    }

    static QDateTime at(int secs, int ms = 0)
    {
        return QDateTime(QDate(2024, 5, 1), QTime(12, 0, 0), Qt::UTC).addSecs(secs).addMSecs(ms);
    }
};

class InstallHistoryFormatTest : public InstallHistoryTest, public ::testing::WithParamInterface<PlistTool::Format>
{
};

TEST_P(InstallHistoryFormatTest, ReadsTheReceiptsAMacWrote)
{
    ASSERT_TRUE(PlistTool::write(historyFile(),
                                 QStringLiteral("[%1, 'not a receipt', {'displayName': 'Bare'}, %2]")
                                     .arg(receipt(0, QStringLiteral("Reader Update"), QStringLiteral("com.orbel.reader")),
                                          receipt(90, QStringLiteral("Caf\u00e9"))),
                                 GetParam()));
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    ASSERT_EQ(receipts.size(), 3);
    EXPECT_EQ(receipts[0].date, at(0));
    EXPECT_EQ(receipts[0].displayName, QStringLiteral("Reader Update"));
    EXPECT_EQ(receipts[0].displayVersion, QStringLiteral("12.1"));
    EXPECT_EQ(receipts[0].packageIdentifiers, QStringList{QStringLiteral("com.orbel.reader")});
    EXPECT_EQ(receipts[0].processName, QStringLiteral("Installer"));
    EXPECT_FALSE(receipts[1].date.isValid());
    EXPECT_EQ(receipts[1].displayName, QStringLiteral("Bare"));
    EXPECT_EQ(receipts[2].date, at(90));
    EXPECT_EQ(receipts[2].displayName, QStringLiteral("Caf\u00e9"));
}

INSTANTIATE_TEST_SUITE_P(Formats, InstallHistoryFormatTest,
                         ::testing::Values(PlistTool::Format::Xml, PlistTool::Format::Binary),
                         [](const ::testing::TestParamInfo<PlistTool::Format> &info) {
                             return info.param == PlistTool::Format::Xml ? "Xml" : "Binary";
                         });

TEST_F(InstallHistoryTest, AHistoryThatIsNotThereOrNotAListIsReported)
{
    QVector<InstallReceipt> receipts;
    EXPECT_EQ(InstallHistory::read(receipts), InstallHistory::Missing);
    EXPECT_EQ(InstallHistory::confirm(QStringLiteral("/u/Reader.pkg"), at(0)), InstallHistory::HistoryMissing);

    const QByteArray unreadable[] = {
        QByteArray(),
        QByteArray("not a property list"),
        QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><array><dict>"),
        QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><string>b</string></dict></plist>"),
    };
    for (const QByteArray &contents : unreadable) {
        SCOPED_TRACE(contents.constData());
        ASSERT_TRUE(sandbox.writeFile(historyFile(), contents));
        EXPECT_EQ(InstallHistory::read(receipts), InstallHistory::Unreadable);
        EXPECT_EQ(InstallHistory::confirm(QStringLiteral("/u/Reader.pkg"), at(0)), InstallHistory::HistoryUnreadable);
    }

    ASSERT_TRUE(PlistTool::write(historyFile(), QStringLiteral("[]")));
    EXPECT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    EXPECT_EQ(InstallHistory::confirm(QStringLiteral("/u/Reader.pkg"), at(0)), InstallHistory::NoReceipt);
}

// Receipt text holding a NUL is read whole, as on a Mac, and names no package.
TEST_F(InstallHistoryTest, ReceiptTextWithANulIsReadWhole)
{
    ASSERT_TRUE(sandbox.writeFile(historyFile(),
                                  sandbox.readFile(QStringLiteral(ORBEL_TEST_DATA_DIR "/plist/nul-in-receipt.bplist"))));
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    ASSERT_EQ(receipts.size(), 1);
    EXPECT_EQ(receipts[0].displayName, QStringLiteral("Reader_Update\0\u00e9"));
    EXPECT_EQ(receipts[0].packageIdentifiers, QStringList{QStringLiteral("com.orbel\0.r\u00e9ader")});
    EXPECT_EQ(receipts[0].processName, QStringLiteral("Installer"));
    EXPECT_EQ(InstallHistory::confirm(QStringLiteral("/u/Reader_Update.pkg"), at(0)), InstallHistory::NoReceipt);
}

// Years of updates, written in the binary form: within the reader's limits.
TEST_F(InstallHistoryTest, ALongBinaryHistoryIsRead)
{
    ASSERT_TRUE(PlistTool::write(historyFile(),
                                 QStringLiteral("[%1 for i in range(4000)]")
                                     .arg(receipt(0, QStringLiteral("Update ' + str(i) + '"),
                                                  QStringLiteral("com.example.pkg.' + str(i) + '"))),
                                 PlistTool::Format::Binary));
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    ASSERT_EQ(receipts.size(), 4000);
    EXPECT_EQ(receipts.last().displayName, QStringLiteral("Update 3999"));
    EXPECT_EQ(receipts.last().packageIdentifiers, QStringList{QStringLiteral("com.example.pkg.3999")});
}

// Histories no Installer writes: none may end the process or hold it for long.
TEST_F(InstallHistoryTest, HostileHistoriesAreUnreadableWithoutCrashing)
{
    BinaryPlistBuilder asciiNul;
    asciiNul.add(asciiNul.array({1}));
    asciiNul.add(asciiNul.dict({2}, {3}));
    asciiNul.add(BinaryPlistBuilder::ascii("displayName"));
    asciiNul.add(BinaryPlistBuilder::ascii(QByteArray("Reader_Update\0x", 15)));
    const int deep = 100000;
    const struct
    {
        const char *what;
        QByteArray contents;
        InstallHistory::Status expected;
    } cases[] = {
        {"NUL in ASCII text, which libplist would cut short", asciiNul.build(), InstallHistory::Unreadable},
        {"nesting well within the limit", BinaryPlistBuilder::nested(100, false), InstallHistory::Read},
        {"binary nesting beyond the limit", BinaryPlistBuilder::nested(deep, false), InstallHistory::Unreadable},
        {"XML nesting beyond the limit",
         "<?xml version=\"1.0\"?><plist version=\"1.0\">" + QByteArray("<array>").repeated(deep)
             + QByteArray("</array>").repeated(deep) + "</plist>",
         InstallHistory::Unreadable},
        {"a count beyond the data", BinaryPlistBuilder::countBeyondData(false), InstallHistory::Unreadable},
        {"a cycle through the object table", BinaryPlistBuilder::cycle(false), InstallHistory::Unreadable},
        {"shared arrays expanding to 2^40 nodes", BinaryPlistBuilder::doubling(40, false), InstallHistory::Unreadable},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(sandbox.writeFile(historyFile(), c.contents));
        QVector<InstallReceipt> receipts;
        EXPECT_EQ(InstallHistory::read(receipts), c.expected);
    }
}

// Only a receipt written since the installer started, naming the package, confirms.
TEST_F(InstallHistoryTest, ConfirmsOnlyANewReceiptThatNamesThePackage)
{
    // The unpack folder is named after the time and lies in the reader's data folder:
    // neither a version "1" nor the reader's name may confirm through them.
    const QString package =
        QStringLiteral("/Users/u/Library/Application Support/Orbel PDF Reader/updater/uncompress/1714564800/Reader_Update.pkg");
    const struct
    {
        const char *what;
        QString receipts;
        InstallHistory::Confirmation expected;
    } cases[] = {
        {"new receipt naming it", receipt(5, QStringLiteral("Reader_Update")), InstallHistory::Confirmed},
        {"named by identifier", receipt(5, QStringLiteral("Something Else"), QStringLiteral("Reader_Update")),
         InstallHistory::Confirmed},
        {"same second as the start", receipt(0, QStringLiteral("Reader")), InstallHistory::Confirmed},
        {"older receipt", receipt(-1, QStringLiteral("Reader_Update")), InstallHistory::NoReceipt},
        {"newest names another package", receipt(5, QStringLiteral("Other")), InstallHistory::NoReceipt},
        {"only version and process match",
         receipt(5, QStringLiteral("Other"), QString(), QStringLiteral("1"), QStringLiteral("Update")),
         InstallHistory::NoReceipt},
        {"only the folders match", receipt(5, QStringLiteral("Orbel PDF Reader"), QStringLiteral("uncompress")),
         InstallHistory::NoReceipt},
        {"empty names", receipt(5, QString(), QString(), QString(), QString()), InstallHistory::NoReceipt},
        {"name differs in case", receipt(5, QStringLiteral("reader_update")), InstallHistory::NoReceipt},
        // Installers of one package end in any order: ours need not be the newest.
        {"another receipt came later",
         receipt(5, QStringLiteral("Reader_Update")) + QStringLiteral(", ") + receipt(6, QStringLiteral("Other")),
         InstallHistory::Confirmed},
    };
    QStringList histories;
    for (const auto &c : cases)
        histories << QStringLiteral("[%1, %2]").arg(receipt(-3600, QStringLiteral("Reader_Update")), c.receipts);
    const QList<QByteArray> files = PlistTool::make(histories, PlistTool::Format::Xml);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(PlistTool::put(historyFile(), files.at(int(&c - cases))));
        EXPECT_EQ(InstallHistory::confirm(package, at(0, 700)), c.expected);
    }
}

} // namespace
