#include "BinaryPlistBuilder.h"
#include "PlistSettings.h"
#include "PlistTool.h"
#include "Sandbox.h"
#include "UpdaterProcess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimeZone>
#include <QUrl>
#include <QUuid>
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

// Large files another program may write: many keys, and many equal values, which a
// binary writer keeps once and refers to from every place. Each is read, and
// written back whole.
TEST_P(PlistSettingsTest, LargeFilesAreReadAndWrittenBack)
{
    const QStringList values = {
        QStringLiteral("{'k%05d' % i: i for i in range(40000)}"),
        QStringLiteral("{'Flags': [True] * 70000, 'k00000': 0}"),
    };
    QList<PlistTool::File> files;
    for (int i = 0; i < values.size(); ++i)
        files.append({file() + QString::number(i), values[i], GetParam()});
    ASSERT_TRUE(PlistTool::write(files));
    for (const PlistTool::File &f : files) {
        SCOPED_TRACE(f.pythonValue.toStdString());
        {
            auto store = PlistSettings::openFile(f.path);
            ASSERT_EQ(store->status(), QSettings::NoError);
            EXPECT_EQ(store->value(QStringLiteral("k00000"), 7).toInt(), 0);
            store->setValue(QStringLiteral("Written"), 1);
            store->sync();
            EXPECT_EQ(store->status(), QSettings::NoError);
        }
        const QJsonObject read = PlistTool::read(f.path).toObject();
        EXPECT_EQ(read.value("Written").toObject().value("int").toInt(), 1);
        EXPECT_EQ(read.size(), f.pythonValue.contains("Flags") ? 3 : 40001);
    }
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

// Files another program may leave as the preferences. None may end the process;
// one that cannot be read, or whose keys or text could not be written back whole
// (XML has no NUL), is never written over.
TEST_F(PlistSettingsTest, HostileFilesNeitherCrashNorAreWrittenOver)
{
    const int deep = 100000;
    auto deepXml = [deep](const QByteArray &open, const QByteArray &prolog = QByteArray()) {
        return "<?xml version=\"1.0\"?>" + prolog + "<plist version=\"1.0\"><dict><key>k</key>" + open.repeated(deep)
               + QByteArray("</array>").repeated(deep) + "</dict></plist>";
    };
    BinaryPlistBuilder nestedNul;
    nestedNul.add(nestedNul.dict({1}, {2}));
    nestedNul.add(BinaryPlistBuilder::ascii("Outer"));
    nestedNul.add(nestedNul.dict({3}, {4}));
    nestedNul.add(BinaryPlistBuilder::utf16({'i', 'n', 0, 'n', 0xE9}));
    nestedNul.add(BinaryPlistBuilder::integer(1));
    BinaryPlistBuilder nulText;
    nulText.add(nulText.dict({1}, {2}));
    nulText.add(BinaryPlistBuilder::ascii("Text"));
    nulText.add(BinaryPlistBuilder::utf16({'c', 'a', 'f', 0xE9, 0, 't', 'a', 'i', 'l'}));
    BinaryPlistBuilder asciiNul;
    asciiNul.add(asciiNul.dict({1}, {2}));
    asciiNul.add(BinaryPlistBuilder::ascii(QByteArray("in\0ner", 7)));
    asciiNul.add(BinaryPlistBuilder::integer(1));
    BinaryPlistBuilder surrogates;
    surrogates.add(surrogates.dict({1}, {2}));
    surrogates.add(BinaryPlistBuilder::utf16({0xD800, 'k'}));
    surrogates.add(BinaryPlistBuilder::utf16({'v', 0xDC00, 0xD83D}));
    BinaryPlistBuilder pair;
    pair.add(pair.dict({1}, {2}));
    pair.add(BinaryPlistBuilder::utf16({'k', 0xD83D, 0xDE00}));
    pair.add(BinaryPlistBuilder::utf16({0xD83D, 0xDE00, 'v'}));

    const struct
    {
        const char *what;
        QByteArray contents;
        bool readable;
    } cases[] = {
        {"NUL in a top-level key", sandbox.readFile(QStringLiteral(ORBEL_TEST_DATA_DIR "/plist/nul-in-key.bplist")), false},
        {"NUL in a nested key", nestedNul.build(), false},
        {"NUL in a string", nulText.build(), false},
        {"NUL in ASCII text, which libplist would cut short", asciiNul.build(), false},
        {"NUL in an XML file", QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a\0b</key>"
                                          "<string>x</string></dict></plist>", 95), false},
        // libplist drops them: a rewrite would rename the key and cut the text.
        {"lone surrogates in a key and a string", surrogates.build(), false},
        {"surrogate pairs in a key and a string", pair.build(), true},
        {"nesting well within the limit", BinaryPlistBuilder::nested(100, true), true},
        {"binary nesting beyond the limit", BinaryPlistBuilder::nested(deep, true), false},
        {"binary nesting beyond the limit through shared arrays", BinaryPlistBuilder::ladder(12, 400, true), false},
        {"shared arrays within the limit", BinaryPlistBuilder::ladder(2, 200, true), true},
        {"XML nesting beyond the limit", deepXml("<array>"), false},
        // Closing tags libplist passes over must not hide the depth.
        {"XML nesting behind processing instructions", deepXml("<array><?x </array> ?>"), false},
        {"XML nesting behind attribute values", deepXml("<array a=\"</array>\">"), false},
        // Nor may text that libplist reads as tags while this scan passes it over.
        {"XML nesting after a quote in a DOCTYPE", deepXml("<array>", "<!DOCTYPE plist [ > \" <x a=\"]>"), false},
        {"XML nesting after a single quote", deepXml("<array>", "<!DOCTYPE plist '>"), false},
        {"a count beyond the data", BinaryPlistBuilder::countBeyondData(true), false},
        {"a cycle through the object table", BinaryPlistBuilder::cycle(true), false},
        {"shared arrays expanding to 2^40 nodes", BinaryPlistBuilder::doubling(40, true), false},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_FALSE(c.contents.isEmpty());
        const QString path = file() + QString::number(++n);
        ASSERT_TRUE(sandbox.writeFile(path, c.contents));
        EXPECT_EQ(PlistSettings::isUnreadable(path), !c.readable);
        {
            auto store = PlistSettings::openFile(path);
            EXPECT_EQ(store->status(), c.readable ? QSettings::NoError : QSettings::FormatError);
            if (c.readable)
                continue;
            store->setValue(QStringLiteral("x"), 1);
            store->sync();
            EXPECT_NE(store->status(), QSettings::NoError);
        }
        EXPECT_EQ(sandbox.readFile(path), c.contents);
    }
}

// QSettings' "@Variant(" form carries a QDataStream whose counts come from the
// file: a list announced with 2^28 entries must not end the process (Qt reserves
// room for them and throws). Such a file counts as unreadable, whatever form the
// value takes, and is never written over.
TEST_F(PlistSettingsTest, AVariantWithAHugeCountIsUnreadableNotAnAbort)
{
    // QDataStream (Qt 4.0 layout): type, null flag, count.
    const QByteArray list = QByteArray("@Variant(") + QByteArray("\0\0\0\x09\0\x10\0\0\0", 9) + ')';
    const QByteArray stringList = QByteArray("@Variant(") + QByteArray("\0\0\0\x0b\0\x10\0\0\0", 9) + ')';
    auto binary = [](const QByteArray &value) {
        BinaryPlistBuilder b;
        b.add(b.dict({1}, {2}));
        b.add(BinaryPlistBuilder::ascii("Preferences.General.bDebugMode"));
        b.add(value);
        return b.build();
    };
    auto utf16 = [](const QByteArray &latin1) {
        QVector<quint16> units;
        for (char c : latin1)
            units.append(quint8(c));
        return BinaryPlistBuilder::utf16(units);
    };
    auto xml = [](const QByteArray &bytes) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
               "<key>Preferences.General.bDebugMode</key><data>" + bytes.toBase64() + "</data></dict></plist>";
    };
    const struct
    {
        const char *what;
        QByteArray contents;
    } cases[] = {
        {"list, binary data", binary(BinaryPlistBuilder::data(list))},
        {"list, binary UTF-16 string", binary(utf16(list))},
        {"list, XML data", xml(list)},
        {"string list, binary data", binary(BinaryPlistBuilder::data(stringList))},
        {"string list, XML data", xml(stringList)},
        {"cut short", binary(BinaryPlistBuilder::data(list.left(12) + ')'))},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = file() + QString::number(++n);
        ASSERT_TRUE(sandbox.writeFile(path, c.contents));
        EXPECT_TRUE(PlistSettings::isUnreadable(path));
        {
            auto store = PlistSettings::openFile(path);
            EXPECT_EQ(store->status(), QSettings::FormatError);
            store->setValue(QStringLiteral("x"), 1);
            store->sync();
        }
        EXPECT_EQ(sandbox.readFile(path), c.contents);
    }

    // The updater meets it at start-up in the reader's preferences, and ends normally.
    ASSERT_TRUE(sandbox.writeFile(sandbox.userPlist(), cases[1].contents));
    const UpdaterRun run =
        runUpdater(sandbox, {QStringLiteral("setnextautoupdatetime:2026-12-24"), QStringLiteral("10:00")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(sandbox.readFile(sandbox.userPlist()), cases[1].contents);
}

// Values a property list has no type for go in as QSettings' own text form, whose
// bytes hold NULs; they come back as the type they went in as.
TEST_F(PlistSettingsTest, ValuesInQSettingsTextFormComeBackWhole)
{
    const QVariant values[] = {QUrl(QStringLiteral("https://example.org/a b")), QVariant::fromValue(QUuid::createUuid())};
    {
        auto store = PlistSettings::openFile(file());
        int n = 0;
        for (const QVariant &value : values)
            store->setValue(QStringLiteral("v%1").arg(++n), value);
        store->sync();
        ASSERT_EQ(store->status(), QSettings::NoError);
    }
    // A copy, so that what QSettings keeps of the file plays no part.
    const QString copy = file() + QStringLiteral(".copy");
    ASSERT_TRUE(QFile::copy(file(), copy));
    auto reread = PlistSettings::openFile(copy);
    ASSERT_EQ(reread->status(), QSettings::NoError);
    int n = 0;
    for (const QVariant &value : values) {
        const QVariant back = reread->value(QStringLiteral("v%1").arg(++n));
        EXPECT_EQ(back.userType(), value.userType()) << n;
        EXPECT_EQ(back, value) << n;
    }
}

// The reader's preferences holding a key with a NUL, as the updater meets them at
// start-up: it reads its language, cannot write its reminder, and ends normally.
TEST_F(PlistSettingsTest, UpdaterStartedOnSuchPreferencesEndsNormallyAndLeavesThem)
{
    const QByteArray contents = sandbox.readFile(QStringLiteral(ORBEL_TEST_DATA_DIR "/plist/nul-in-key.bplist"));
    ASSERT_EQ(contents.size(), 53);
    ASSERT_TRUE(sandbox.writeFile(sandbox.userPlist(), contents));
    const UpdaterRun run =
        runUpdater(sandbox, {QStringLiteral("setnextautoupdatetime:2026-12-24"), QStringLiteral("10:00")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(sandbox.readFile(sandbox.userPlist()), contents);
}

TEST_F(PlistSettingsTest, StoreLivesInTheUsersPreferences)
{
    EXPECT_EQ(PlistSettings::storePath(QStringLiteral("Orbel Software"), QStringLiteral("Orbel.PDF.Reader")),
              sandbox.userPlist());
}

} // namespace
