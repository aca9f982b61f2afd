#include "PlistSettings.h"
#include "PlistTool.h"
#include "Sandbox.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

class PlistSettingsTest : public SandboxTest, public ::testing::WithParamInterface<PlistTool::Format>
{
protected:
    QString file() const { return sandbox.home() + QStringLiteral("/Library/Preferences/test.plist"); }
};

// What a Mac leaves behind: Qt's rotated top-level keys and text forms beside the
// plain values any program writes.
const char kMacFile[] = R"({
    'Preferences.General.bDebugMode': 1,
    'Window Position': '@Point(10 20)',
    'Window Size': '@Size(800 600)',
    'Frame': '@Rect(1 2 3 4)',
    'Text': 'caf\u00e9 & <b> \u20ac',
    'AtSign': '@@home',
    'Unknown': '@Foo(1)',
    'Negative': -5,
    'Big': 2**40,
    'Real': 1.5,
    'Flag': True,
    'Blob': b'\x00\x01\xff',
    'When': datetime.datetime(2024, 1, 2, 3, 4, 5),
    'Names': ['a', 'b'],
    'Mixed': [1, 'a'],
    'Classic': {'a/b': 'slash', 'c.d': 2},
    'dotted\u00b7name': 'x',
})";

TEST_P(PlistSettingsTest, ReadsWhatAnotherToolWrote)
{
    ASSERT_TRUE(PlistTool::write(file(), QString::fromLatin1(kMacFile), GetParam()));
    auto store = PlistSettings::openFile(file());
    ASSERT_EQ(store->status(), QSettings::NoError);

    EXPECT_EQ(store->value(QStringLiteral("Preferences/General/bDebugMode")).toInt(), 1);
    EXPECT_EQ(store->value(QStringLiteral("Window Position")).toPoint(), QPoint(10, 20));
    EXPECT_EQ(store->value(QStringLiteral("Window Size")).toSize(), QSize(800, 600));
    EXPECT_EQ(store->value(QStringLiteral("Frame")).toRect(), QRect(1, 2, 3, 4));
    EXPECT_EQ(store->value(QStringLiteral("Text")).toString(), QStringLiteral("caf\u00e9 & <b> \u20ac"));
    EXPECT_EQ(store->value(QStringLiteral("AtSign")).toString(), QStringLiteral("@home"));
    EXPECT_EQ(store->value(QStringLiteral("Unknown")).toString(), QStringLiteral("@Foo(1)"));
    EXPECT_EQ(store->value(QStringLiteral("Negative")).toInt(), -5);
    EXPECT_EQ(store->value(QStringLiteral("Big")).toLongLong(), Q_INT64_C(1) << 40);
    EXPECT_DOUBLE_EQ(store->value(QStringLiteral("Real")).toDouble(), 1.5);
    EXPECT_EQ(store->value(QStringLiteral("Flag")).userType(), QMetaType::Bool);
    EXPECT_TRUE(store->value(QStringLiteral("Flag")).toBool());
    EXPECT_EQ(store->value(QStringLiteral("Blob")).toByteArray(), QByteArray("\x00\x01\xff", 3));
    EXPECT_EQ(store->value(QStringLiteral("When")).toDateTime(),
              QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5), Qt::UTC));
    EXPECT_EQ(store->value(QStringLiteral("Names")).toStringList(), QStringList({"a", "b"}));
    EXPECT_EQ(store->value(QStringLiteral("Mixed")).toList(), QVariantList({1, QStringLiteral("a")}));
    const QVariantMap classic = store->value(QStringLiteral("Classic")).toMap();
    EXPECT_EQ(classic.value(QStringLiteral("a/b")).toString(), QStringLiteral("slash"));
    EXPECT_EQ(classic.value(QStringLiteral("c.d")).toInt(), 2);
    EXPECT_EQ(store->value(QStringLiteral("dotted.name")).toString(), QStringLiteral("x"));
}

TEST_P(PlistSettingsTest, WritesXmlThatAnotherToolReads)
{
    // Start from the other tool's file, so untouched keys must survive the rewrite.
    ASSERT_TRUE(PlistTool::write(file(), QStringLiteral("{'Kept': 'yes', 'Window Position': '@Point(1 2)'}"),
                                 GetParam()));
    {
        auto store = PlistSettings::openFile(file());
        store->setValue(QStringLiteral("Preferences/General/bDebugMode"), 1);
        store->setValue(QStringLiteral("dotted.name"), QStringLiteral("x"));
        store->setValue(QStringLiteral("Window Position"), QPoint(-3, 40));
        store->setValue(QStringLiteral("Window Size"), QSize(800, 600));
        store->setValue(QStringLiteral("AtSign"), QStringLiteral("@home"));
        store->setValue(QStringLiteral("Text"), QStringLiteral("a & <b> \u20ac"));
        store->setValue(QStringLiteral("Dword"), QVariant::fromValue(quint32(4294967295u)));
        store->setValue(QStringLiteral("Negative"), -7);
        store->setValue(QStringLiteral("Flag"), false);
        store->setValue(QStringLiteral("Real"), 0.25);
        store->setValue(QStringLiteral("Blob"), QByteArray("\x00\x7f", 2));
        store->setValue(QStringLiteral("When"), QDateTime(QDate(2026, 12, 24), QTime(10, 0, 0), Qt::UTC));
        store->setValue(QStringLiteral("Names"), QStringList({"a", "@b"}));
        store->setValue(QStringLiteral("Classic"), QVariantMap({{"x/y", 1}, {"p.q", QStringLiteral("r")}}));
        store->sync();
        ASSERT_EQ(store->status(), QSettings::NoError);
    }

    QFile raw(file());
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_TRUE(raw.readAll().startsWith("<?xml"));
    // The write went through a temporary file that was renamed into place.
    EXPECT_EQ(QDir(QFileInfo(file()).path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("test.plist")}));

    const QJsonObject read = PlistTool::read(file()).toObject();
    ASSERT_FALSE(read.isEmpty());
    EXPECT_EQ(read.value("Kept").toString(), QStringLiteral("yes"));
    EXPECT_EQ(read.value("Preferences.General.bDebugMode").toObject().value("int").toInt(), 1);
    EXPECT_EQ(read.value(QStringLiteral("dotted\u00b7name")).toString(), QStringLiteral("x"));
    EXPECT_EQ(read.value("Window Position").toString(), QStringLiteral("@Point(-3 40)"));
    EXPECT_EQ(read.value("Window Size").toString(), QStringLiteral("@Size(800 600)"));
    EXPECT_EQ(read.value("AtSign").toString(), QStringLiteral("@@home"));
    EXPECT_EQ(read.value("Text").toString(), QStringLiteral("a & <b> \u20ac"));
    EXPECT_EQ(read.value("Dword").toObject().value("int").toDouble(), 4294967295.0);
    EXPECT_EQ(read.value("Negative").toObject().value("int").toInt(), -7);
    EXPECT_EQ(read.value("Flag"), QJsonValue(false));
    EXPECT_EQ(read.value("Real").toObject().value("real").toDouble(), 0.25);
    EXPECT_EQ(read.value("Blob").toObject().value("data").toString(), QStringLiteral("007f"));
    EXPECT_EQ(read.value("When").toObject().value("date").toString(), QStringLiteral("2026-12-24T10:00:00"));
    EXPECT_EQ(read.value("Names").toArray(), QJsonArray({"a", "@@b"}));
    const QJsonObject classic = read.value("Classic").toObject();
    EXPECT_EQ(classic.value("x/y").toObject().value("int").toInt(), 1);
    EXPECT_EQ(classic.value("p.q").toString(), QStringLiteral("r"));
}

INSTANTIATE_TEST_SUITE_P(BothFormats, PlistSettingsTest,
                         ::testing::Values(PlistTool::Format::Xml, PlistTool::Format::Binary),
                         [](const ::testing::TestParamInfo<PlistTool::Format> &info) {
                             return info.param == PlistTool::Format::Xml ? "Xml" : "Binary";
                         });

TEST(PlistSettingsKeys, RotateAtTheTopLevelBothWays)
{
    const struct
    {
        const char *settingsKey;
        QString fileKey;
    } cases[] = {
        {"Preferences/General/bDebugMode", QStringLiteral("Preferences.General.bDebugMode")},
        {"Orbel.PDF.Reader", QStringLiteral("Orbel\u00b7PDF\u00b7Reader")},
        {"a\u00b7b", QStringLiteral("a/b")},
        {"Window Size", QStringLiteral("Window Size")},
    };
    for (const auto &c : cases) {
        const QString key = QString::fromUtf8(c.settingsKey);
        EXPECT_EQ(PlistSettings::fileKey(key), c.fileKey) << c.settingsKey;
        EXPECT_EQ(PlistSettings::settingsKey(c.fileKey), key) << c.settingsKey;
    }
}

TEST_F(PlistSettingsTest, BrokenOrForeignFileIsReadAsAnErrorAndNeverWrittenOver)
{
    int n = 0;
    for (const QByteArray &contents : {QByteArray("not a plist"), QByteArray("bplist00garbage"),
                                       QByteArray("<?xml version=\"1.0\"?><plist><array/></plist>")}) {
        // A file of its own each time: QSettings keeps what it read of a file.
        const QString path = file() + QString::number(++n);
        ASSERT_TRUE(sandbox.writeFile(path, contents));
        EXPECT_TRUE(PlistSettings::isUnreadable(path));
        {
            auto store = PlistSettings::openFile(path);
            EXPECT_EQ(store->status(), QSettings::FormatError) << contents.constData();
            EXPECT_EQ(store->value(QStringLiteral("x"), 7).toInt(), 7);
            store->setValue(QStringLiteral("x"), 1);
            store->sync();
            EXPECT_NE(store->status(), QSettings::NoError);
        }
        EXPECT_EQ(sandbox.readFile(path), contents);
    }
    EXPECT_FALSE(PlistSettings::isUnreadable(file()));
    ASSERT_TRUE(sandbox.writeFile(file(), ""));
    EXPECT_FALSE(PlistSettings::isUnreadable(file()));
}

TEST_F(PlistSettingsTest, StoreLivesInTheUsersPreferences)
{
    EXPECT_EQ(PlistSettings::storePath(QStringLiteral("Orbel Software"), QStringLiteral("Orbel.PDF.Reader")),
              sandbox.userPlist());
}

} // namespace
