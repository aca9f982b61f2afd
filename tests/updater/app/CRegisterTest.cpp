#include "CRegister.h"
#include "PlistTool.h"
#include "Sandbox.h"

#include <QJsonObject>
#include <QPoint>
#include <QSize>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

const QString kUpdaterKey = QStringLiteral("Software\\Orbel Software\\Orbel PDF Reader\\plugins\\Updater");
const QString kUpdaterSettingsKey = QStringLiteral("Software/Orbel Software/Orbel PDF Reader/plugins/Updater");

enum class Layout { None, Continuous, Classic };

using Entries = std::vector<std::pair<QString, QString>>; // settings key, Python value

class CRegisterTest : public SandboxTest
{
protected:
    QString layoutFile() const
    {
        return sandbox.systemPath(
            QStringLiteral("/usr/local/share/orbel/Orbel PDF Reader/LocalMachine/LocalMachine.plist"));
    }

    static QString layoutSwitch(const QString &pythonValue)
    {
        return QStringLiteral("{'HKEY_LOCAL_MACHINE.SOFTWARE.Orbel Software.Orbel PDF Reader.bContinue': %1}")
            .arg(pythonValue);
    }

    // The layout switch file for the layout and the reader's file, written together.
    void writeFiles(Layout layout, const QString &pythonFile)
    {
        QList<PlistTool::File> files{{sandbox.userPlist(), pythonFile}};
        if (layout != Layout::None)
            files.append({layoutFile(), layoutSwitch(layout == Layout::Classic ? QStringLiteral("'0'") : QStringLiteral("'1'"))});
        ASSERT_TRUE(PlistTool::write(files));
    }

    // A preferences file as the reader leaves it in the given layout, written by the
    // other tool; `extra` goes in at the top level as it stands.
    static QString pythonFile(Layout layout, const Entries &entries, const QString &extra = QString())
    {
        QStringList items;
        for (const auto &entry : entries) {
            const QString key = layout == Layout::Classic ? entry.first : PlistTool::topLevelKey(entry.first);
            items << QStringLiteral("'%1': %2").arg(key, entry.second);
        }
        QString dict = layout == Layout::Classic ? QStringLiteral("{'Classic': {%1}").arg(items.join(", "))
                                                 : QStringLiteral("{%1").arg(items.join(", "));
        if (!extra.isEmpty())
            dict += (dict.size() > 1 ? QStringLiteral(", ") : QString()) + extra;
        return dict + QLatin1Char('}');
    }
};

TEST_F(CRegisterTest, LayoutSwitch)
{
    const struct
    {
        const char *value; // Python value of "bContinue"; null: no file
        bool continuous;
    } cases[] = {{nullptr, true}, {"'1'", true}, {"1", true}, {"'0'", false}, {"'yes'", false}, {"' 1'", false}};
    // The last file lacks the key.
    QStringList values{QStringLiteral("{'other': '0'}")};
    for (const auto &c : cases)
        values << layoutSwitch(QString::fromLatin1(c.value ? c.value : "''"));
    const QList<QByteArray> files = PlistTool::make(values);
    for (const auto &c : cases) {
        QFile::remove(layoutFile());
        if (c.value) {
            ASSERT_TRUE(PlistTool::put(layoutFile(), files.at(1 + int(&c - cases))));
        }
        EXPECT_EQ(CheckIsContinue(), c.continuous) << (c.value ? c.value : "no file");
    }
    // A file without the key reads like no file.
    ASSERT_TRUE(PlistTool::put(layoutFile(), files.at(0)));
    EXPECT_TRUE(CheckIsContinue());
}

class CRegisterLayoutTest : public CRegisterTest, public ::testing::WithParamInterface<Layout>
{
};

TEST_P(CRegisterLayoutTest, ReadsTheReadersFile)
{
    const Layout fileLayout = GetParam() == Layout::Classic ? Layout::Classic : Layout::Continuous;
    const Entries entries = {
        {kUpdaterSettingsKey + QStringLiteral("/UpdateRejectVersion"), QStringLiteral("'12.1.0'")},
        {kUpdaterSettingsKey + QStringLiteral("/MajorUpdateChecked"), QStringLiteral("3")},
        {kUpdaterSettingsKey + QStringLiteral("/Text"), QStringLiteral("'abc'")},
        {kUpdaterSettingsKey + QStringLiteral("/Huge"), QStringLiteral("4294967297")},
        {kUpdaterSettingsKey + QStringLiteral("/Decimal"), QStringLiteral("'17'")},
        {QStringLiteral("currentVersion"), QStringLiteral("'12.0'")},
        {QStringLiteral("Window Position"), QStringLiteral("'@Point(10 20)'")},
    };
    writeFiles(GetParam(), pythonFile(fileLayout, entries));

    EXPECT_EQ(CRegister::regGetString(kUpdaterKey, QStringLiteral("UpdateRejectVersion")), QStringLiteral("12.1.0"));
    EXPECT_EQ(CRegister::regGetString(kUpdaterKey, QStringLiteral("Missing")), QString());
    EXPECT_EQ(CRegister::regGetString(QStringLiteral("currentVersion"), QString()), QStringLiteral("12.0"));
    EXPECT_EQ(CRegister::regGetString(kUpdaterKey, QStringLiteral("MajorUpdateChecked")), QStringLiteral("3"));

    const struct
    {
        const char *name;
        quint32 expected;
    } dwords[] = {{"MajorUpdateChecked", 3}, {"Text", 0}, {"Huge", 1}, {"Decimal", 17}, {"Missing", 0}};
    for (const auto &d : dwords)
        EXPECT_EQ(CRegister::regGetDword(kUpdaterKey, QString::fromLatin1(d.name)), d.expected) << d.name;

    QVariant value;
    EXPECT_TRUE(CheckSingleKeysPlist(QStringLiteral("currentVersion"), value, QStringLiteral("dflt"), QString(),
                                     QString()));
    EXPECT_EQ(value.toString(), QStringLiteral("12.0"));
    CheckSingleKeysPlist(QStringLiteral("nope"), value, QStringLiteral("dflt"), QString(), QString());
    EXPECT_EQ(value.toString(), QStringLiteral("dflt"));

    // regGetVariant takes its key as it stands: no backslash mapping.
    EXPECT_EQ(CRegister::regGetVariant(kUpdaterSettingsKey + QStringLiteral("/Text"), QString(), QString(), QString(),
                                       QString()),
              QVariant(QStringLiteral("abc")));
    EXPECT_EQ(CRegister::regGetVariant(kUpdaterKey + QStringLiteral("\\Text"), QStringLiteral("dflt"), QString(),
                                       QString(), QString()),
              QVariant(QStringLiteral("dflt")));
    EXPECT_EQ(CRegister::regGetVariant(QStringLiteral("Window Position"), QPoint(), QString(), QString(), QString())
                  .toPoint(),
              QPoint(10, 20));
}

TEST_P(CRegisterLayoutTest, WritesWhatTheReaderReads)
{
    // The reader's file holds other entries (binary, as on a Mac) that must stay.
    const Layout fileLayout = GetParam() == Layout::Classic ? Layout::Classic : Layout::Continuous;
    writeFiles(GetParam(), pythonFile(fileLayout, {{QStringLiteral("Preferences/General/Other"), QStringLiteral("'kept'")}},
                                      QStringLiteral("'TopLevel': 'untouched'")));

    EXPECT_TRUE(CRegister::regSetDword(kUpdaterKey, QStringLiteral("MajorUpdateChecked"), 4294967295u));
    EXPECT_TRUE(CRegister::regSetString(kUpdaterKey, QStringLiteral("UpdateRejectVersion"), QStringLiteral("13.0")));
    EXPECT_TRUE(CRegister::regSetString(QStringLiteral("currentVersion"), QString(), QStringLiteral("12.1")));
    EXPECT_TRUE(CRegister::regSetString(kUpdaterKey, QStringLiteral("UpdateRejectVersion"), QStringLiteral("13.1")));

    EXPECT_EQ(CRegister::regGetDword(kUpdaterKey, QStringLiteral("MajorUpdateChecked")), 4294967295u);
    EXPECT_EQ(CRegister::regGetString(kUpdaterKey, QStringLiteral("UpdateRejectVersion")), QStringLiteral("13.1"));

    const QJsonObject file = PlistTool::read(sandbox.userPlist()).toObject();
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(file.value("TopLevel").toString(), QStringLiteral("untouched"));
    QJsonObject entries = file;
    auto key = [&](const QString &settingsKey) {
        return GetParam() == Layout::Classic ? settingsKey : PlistTool::topLevelKey(settingsKey);
    };
    if (GetParam() == Layout::Classic) {
        entries = file.value("Classic").toObject();
        // Nothing of the updater's leaks to the top level.
        EXPECT_FALSE(file.contains(PlistTool::topLevelKey(kUpdaterSettingsKey + QStringLiteral("/MajorUpdateChecked"))));
        EXPECT_FALSE(file.contains(QStringLiteral("currentVersion")));
    } else {
        EXPECT_FALSE(file.contains(QStringLiteral("Classic")));
    }
    EXPECT_EQ(entries.value(key(QStringLiteral("Preferences/General/Other"))).toString(), QStringLiteral("kept"));
    EXPECT_EQ(entries.value(key(kUpdaterSettingsKey + QStringLiteral("/MajorUpdateChecked"))).toObject().value("int")
                  .toDouble(),
              4294967295.0);
    EXPECT_EQ(entries.value(key(kUpdaterSettingsKey + QStringLiteral("/UpdateRejectVersion"))).toString(),
              QStringLiteral("13.1"));
    EXPECT_EQ(entries.value(QStringLiteral("currentVersion")).toString(), QStringLiteral("12.1"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, CRegisterLayoutTest,
                         ::testing::Values(Layout::None, Layout::Continuous, Layout::Classic),
                         [](const ::testing::TestParamInfo<Layout> &info) {
                             return info.param == Layout::None ? "NoSwitchFile"
                                    : info.param == Layout::Continuous ? "Continuous"
                                                                       : "Classic";
                         });

TEST_F(CRegisterTest, ClassicLayoutIgnoresTopLevelEntries)
{
    // A reader that used the continuous layout before: its flat entries are not read.
    writeFiles(Layout::Classic, pythonFile(Layout::Continuous, {{QStringLiteral("currentVersion"), "'12.0'"}}));
    EXPECT_EQ(CRegister::regGetString(QStringLiteral("currentVersion"), QString()), QString());
    EXPECT_EQ(CRegister::regGetVariant(QStringLiteral("currentVersion"), 5, QString(), QString(), QString()),
              QVariant(5));
    // The first write creates the map.
    EXPECT_TRUE(CRegister::regSetString(QStringLiteral("currentVersion"), QString(), QStringLiteral("12.2")));
    const QJsonObject file = PlistTool::read(sandbox.userPlist()).toObject();
    EXPECT_EQ(file.value("currentVersion").toString(), QStringLiteral("12.0"));
    EXPECT_EQ(file.value("Classic").toObject().value("currentVersion").toString(), QStringLiteral("12.2"));
}

TEST_F(CRegisterTest, VariantFromAGivenFileOrTheDefaultStore)
{
    const QString other = sandbox.home() + QStringLiteral("/other.plist");
    ASSERT_TRUE(PlistTool::write(
        {{other, QStringLiteral("{'Preferences.Languages.nChooseLan': 42, 'Window Size': '@Size(800 600)'}"),
          PlistTool::Format::Xml},
         {sandbox.userPlist(), QStringLiteral("{'Preferences.Languages.nChooseLan': 25}")}}));
    const QString key = QStringLiteral("Preferences/Languages/nChooseLan");

    EXPECT_EQ(CRegister::regGetVariant(key, 31, other, QString(), QString()).toInt(), 42);
    EXPECT_EQ(CRegister::regGetVariant(QStringLiteral("Window Size"), QSize(-1, -1), other, QString(), QString())
                  .toSize(),
              QSize(800, 600));
    // A file that is not there, or none: the default store.
    EXPECT_EQ(CRegister::regGetVariant(key, 31, other + QStringLiteral(".gone"), QString(), QString()).toInt(), 25);
    EXPECT_EQ(CRegister::regGetVariant(key, 31, QString(), QString(), QString()).toInt(), 25);
    // Another organisation's store.
    EXPECT_EQ(CRegister::regGetVariant(key, 31, QString(), QStringLiteral("Someone Else"), QStringLiteral("App"))
                  .toInt(),
              31);
}

TEST_F(CRegisterTest, FailedWriteReportsFalse)
{
    // The preferences folder cannot be made: a file stands in its place.
    ASSERT_TRUE(sandbox.writeFile(sandbox.home() + QStringLiteral("/Library/Preferences"), "x"));
    EXPECT_FALSE(CRegister::regSetString(kUpdaterKey, QStringLiteral("LastDay"), QStringLiteral("x")));
    EXPECT_FALSE(WriteSingleKeysPlist(QStringLiteral("a\\b"), 1, QString(), QString()));
    EXPECT_EQ(CRegister::regGetString(kUpdaterKey, QStringLiteral("LastDay")), QString());
}

TEST_F(CRegisterTest, UnreadableStoreIsNotWrittenOver)
{
    const QByteArray broken("bplist00 not really a property list");
    const QList<QByteArray> switches = PlistTool::make({layoutSwitch(QStringLiteral("'1'")), layoutSwitch(QStringLiteral("'0'"))});
    for (const Layout layout : {Layout::Continuous, Layout::Classic}) {
        ASSERT_TRUE(PlistTool::put(layoutFile(), switches.at(layout == Layout::Classic ? 1 : 0)));
        ASSERT_TRUE(sandbox.writeFile(sandbox.userPlist(), broken));
        EXPECT_FALSE(CRegister::regSetString(kUpdaterKey, QStringLiteral("LastDay"), QStringLiteral("x")));
        EXPECT_FALSE(CRegister::regSetDword(kUpdaterKey, QStringLiteral("MajorUpdateChecked"), 1));
        EXPECT_EQ(sandbox.readFile(sandbox.userPlist()), broken);
        EXPECT_EQ(CRegister::regGetString(kUpdaterKey, QStringLiteral("LastDay")), QString());
    }
}

} // namespace
