#include "COB_Ozip.h"

#include "OzipWriter.h"
#include "Sandbox.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <atomic>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Tree = QMap<QString, QByteArray>;

// Everything below dir: files with their contents, folders as "name/" -> "".
Tree readTree(const QString &dir)
{
    Tree tree;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString path = it.next();
        QFileInfo info = it.fileInfo();
        QString rel = QDir(dir).relativeFilePath(path);
        if (info.isSymLink())
            tree.insert(rel + QStringLiteral("@"), QByteArray());
        else if (info.isDir())
            tree.insert(rel + QLatin1Char('/'), QByteArray());
        else {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            tree.insert(rel, f.readAll());
        }
    }
    return tree;
}

QByteArray mixed(int size, quint32 seed)
{
    QByteArray out(size, '\0');
    quint32 x = seed;
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        // Runs of text, then noise, so the encoder sees both kinds of data.
        out[i] = (i / 4096) % 2 ? char(x >> 24) : "orbel update package "[i % 21];
    }
    return out;
}

class OzipTest : public SandboxTest
{
protected:
    QString dest() const { return sandbox.base() + QStringLiteral("/out"); }

    // Unpacks with the given reader (a fresh one when none is given).
    int unpack(const QByteArray &container, COB_Ozip *reader = nullptr)
    {
        QString package = sandbox.base() + QStringLiteral("/package.bin");
        QFile f(package);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(container);
        f.close();
        COB_Ozip ozip;
        return (reader ? reader : &ozip)->Unzip2(package, dest());
    }
    int unpack(const OzipWriter &writer, COB_Ozip *reader = nullptr) { return unpack(writer.bytes(), reader); }

    // The files of the sandbox outside the destination and the package.
    Tree outside() const
    {
        Tree t = readTree(sandbox.base());
        for (auto it = t.begin(); it != t.end();) {
            if (it.key().startsWith(QStringLiteral("out/")) || it.key().startsWith(QStringLiteral("package.bin")))
                it = t.erase(it);
            else
                ++it;
        }
        return t;
    }
};

TEST(OzipCrc, TableAndCheckValues)
{
    unsigned long table[256];
    COB_Ozip::BuildTable64(COB_Ozip::Magic, table);
    EXPECT_EQ(table[0], 0u);
    EXPECT_EQ(table[1], 0x19780625u);
    EXPECT_EQ(table[2], 0x32F00C4Au);
    EXPECT_EQ(table[255], 0x14EA2FCBu);

    unsigned long wide[256];
    COB_Ozip::BuildTable32(COB_Ozip::Magic, wide);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(wide[i] & 0xFFFFFFFFu, table[i]) << i;

    auto crc = [](const char *s) {
        return COB_Ozip::RunCRC32(reinterpret_cast<const unsigned char *>(s), strlen(s), COB_Ozip::Magic);
    };
    EXPECT_EQ(crc("abc"), 0xF4AE1735u);
    EXPECT_EQ(crc("123456789"), 0x2C46E376u);
    EXPECT_EQ(crc(""), 0u);

    // The independent writer agrees on data long enough to cross every table path.
    QByteArray data = mixed(10007, 7);
    EXPECT_EQ(COB_Ozip::RunCRC32(reinterpret_cast<const unsigned char *>(data.constData()), ulong(data.size()),
                                 COB_Ozip::Magic),
              OzipWriter::crc(data.constData(), size_t(data.size())));
}

TEST_F(OzipTest, GoodPackagesUnpackExactly)
{
    struct Case
    {
        const char *name;
        std::function<void(OzipWriter &)> build;
        Tree expected;
    };
    const QByteArray big = mixed(300000, 1);
    const Case cases[] = {
        {"no entries", [](OzipWriter &) {}, {}},
        {"one file", [](OzipWriter &w) { w.file("Setup.xml", "<setup/>"); }, {{"Setup.xml", "<setup/>"}}},
        {"backslash and slash folders, nested",
         [&](OzipWriter &w) {
             w.directory("docs\\").file("docs\\readme.txt", "hello").directory("lib/").directory("lib/sub/");
             w.file("lib/sub/a.bin", big).file("lib\\b.txt", "b");
         },
         {{"docs/", ""}, {"docs/readme.txt", "hello"}, {"lib/", ""}, {"lib/sub/", ""},
          {"lib/sub/a.bin", big}, {"lib/b.txt", "b"}}},
        {"nested folder entries, one level each",
         [](OzipWriter &w) { w.directory("a/").directory("a/b\\").directory("a/b\\c/").file("a/b/c/x", "x"); },
         {{"a/", ""}, {"a/b/", ""}, {"a/b/c/", ""}, {"a/b/c/x", "x"}}},
        {"empty files between others",
         [](OzipWriter &w) { w.file("e1", "").file("f", "data").file("e2", ""); },
         {{"e1", ""}, {"f", "data"}, {"e2", ""}}},
        {"stream with end marker and unknown size",
         [&](OzipWriter &w) {
             w.options().endMark = true;
             w.file("one", big.left(70000)).file("two", "2");
         },
         {{"one", big.left(70000)}, {"two", "2"}}},
        {"utf-8 names, higher level",
         [&](OzipWriter &w) {
             w.options().level = 5;
             w.file("r\xc3\xa9sum\xc3\xa9.txt", big.mid(5, 1000));
         },
         {{QString::fromUtf8("r\xc3\xa9sum\xc3\xa9.txt"), big.mid(5, 1000)}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dest()).removeRecursively();
        OzipWriter w;
        c.build(w);
        EXPECT_EQ(unpack(w), COB_Ozip::Done);
        EXPECT_EQ(readTree(dest()), c.expected);
        // The destination is made on the way to the first entry.
        EXPECT_EQ(QFileInfo(dest()).isDir(), !c.expected.isEmpty());
    }
    // No shared temporary files are left behind.
    EXPECT_TRUE(readTree(sandbox.tmp()).isEmpty());
}

TEST_F(OzipTest, NamesAreDecodedAsUtf8)
{
    // Bytes that are not UTF-8 become U+FFFD: every name on disk is valid UTF-8.
    EXPECT_EQ(unpack(OzipWriter().file("bad\xff.txt", "?")), COB_Ozip::Done);
    const QByteArray dir = QFile::encodeName(dest());
    EXPECT_EQ(::access((dir + "/bad\xef\xbf\xbd.txt").constData(), F_OK), 0);
    EXPECT_NE(::access((dir + "/bad\xff.txt").constData(), F_OK), 0);
}

TEST_F(OzipTest, MagicAndOpenFailures)
{
    QByteArray good = OzipWriter().file("f", "x").bytes();
    QByteArray bad = good;
    bad[3] = 0x18;
    EXPECT_EQ(unpack(bad), COB_Ozip::BadMagic);
    EXPECT_EQ(unpack(good.left(3)), COB_Ozip::BadMagic);
    EXPECT_EQ(unpack(QByteArray()), COB_Ozip::BadMagic);

    COB_Ozip ozip;
    EXPECT_EQ(ozip.Unzip2(sandbox.base() + QStringLiteral("/missing.bin"), dest()), COB_Ozip::CannotOpen);
    EXPECT_FALSE(QFileInfo::exists(dest()));
}

TEST_F(OzipTest, CrcGuardsEveryByteAfterTheHeader)
{
    QByteArray good = OzipWriter().directory("d\\").file("d\\f", "contents").bytes();
    for (int i = OzipWriter::HeaderSize; i < good.size(); ++i) {
        QByteArray bad = good;
        bad[i] = char(bad[i] ^ 0x40);
        ASSERT_EQ(unpack(bad), COB_Ozip::BadCrc) << "byte " << i;
    }
    QByteArray wrongField = good;
    wrongField[9] = char(wrongField[9] ^ 1);
    EXPECT_EQ(unpack(wrongField), COB_Ozip::BadCrc);
    EXPECT_FALSE(QFileInfo::exists(dest()));

    // The reader ignores bytes 4-7, 12-15 and 20-27.
    QByteArray loose = good;
    for (int i : {4, 7, 12, 15, 20, 27})
        loose[i] = char(0xEE);
    EXPECT_EQ(unpack(loose), COB_Ozip::Done);
    EXPECT_EQ(readTree(dest()), (Tree{{"d/", ""}, {"d/f", "contents"}}));
}

TEST_F(OzipTest, TruncatedAtEveryFieldFails)
{
    // The CRC is made to match each cut, so the structure checks themselves are what fail.
    QByteArray good = OzipWriter().file("a", "first").directory("d/").file("d/b", "second").bytes();
    for (int cut = 4; cut < good.size(); ++cut) {
        int expected = cut < OzipWriter::HeaderSize ? COB_Ozip::BadCrc : COB_Ozip::BadContents;
        ASSERT_EQ(unpack(OzipWriter::withCrcFixed(good.left(cut))), expected) << "cut at " << cut;
        ASSERT_TRUE(readTree(dest()).isEmpty()) << "cut at " << cut;
    }
    // A bare header whose CRC field is 0 passes the CRC (no bytes give 0) but holds nothing.
    EXPECT_EQ(unpack(good.left(8) + QByteArray(20, '\0')), COB_Ozip::BadContents);
}

TEST_F(OzipTest, LengthsAndCountsAreCheckedAgainstTheContents)
{
    struct Case
    {
        const char *name;
        std::function<void(OzipWriter &)> damage;
    };
    const Case cases[] = {
        {"section shorter than its LZMA header", [](OzipWriter &w) { w.options().sectionLength = 12; }},
        {"section past the end", [](OzipWriter &w) { w.options().sectionLength = 0x7FFFFFFF; }},
        {"section swallowing the entry count", [](OzipWriter &w) { w.options().sectionLength = 0; }},
        {"more entries than the directory holds", [](OzipWriter &w) { w.options().entryCount = 3; }},
        {"name longer than the directory",
         [](OzipWriter &w) {
             OzipWriter::Entry e;
             e.name = "x";
             e.nameLength = 200;
             w.add(e);
         }},
        {"sizes beyond the decoded data (known size)",
         [](OzipWriter &w) {
             OzipWriter::Entry e;
             e.name = "x";
             e.data = "12345";
             e.declaredSize = 9;
             w.add(e);
         }},
        {"LZMA header announces less than the directory",
         [](OzipWriter &w) { w.options().announcedSize = 2; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dest()).removeRecursively();
        OzipWriter w;
        w.file("first", "first file");
        c.damage(w);
        EXPECT_EQ(unpack(w), COB_Ozip::BadContents);
        EXPECT_TRUE(readTree(dest()).isEmpty());
    }
}

TEST_F(OzipTest, DecodedDataShorterThanTheDirectoryFails)
{
    // When the stream's own size does not give it away, the shortfall shows only
    // at the end of the data: the unpack fails instead of padding with zeros.
    struct Case
    {
        const char *name;
        bool endMark;
        qint64 announced;  // -1: as the writer makes it
    };
    const Case cases[] = {
        {"end mark, no size", true, -1},
        {"a size beyond what the stream holds", false, 2 + 8},
        // The end mark comes before the size the header announces.
        {"end mark before the announced size", true, 2 + 8},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dest()).removeRecursively();
        OzipWriter w;
        w.options().endMark = c.endMark;
        w.options().announcedSize = c.announced;
        OzipWriter::Entry e;
        e.name = "short";
        e.data = "12345";
        e.declaredSize = 8;
        w.file("whole", "ok").add(e);
        COB_Ozip ozip;
        EXPECT_EQ(unpack(w, &ozip), COB_Ozip::BadContents);
        EXPECT_TRUE(ozip.errorString().contains(QStringLiteral("damaged"))) << ozip.errorString().toStdString();
        EXPECT_NE(readTree(dest()).value("short"), QByteArray("12345\0\0\0", 8));
    }

    // Properties the decoder does not support.
    QByteArray c = OzipWriter().file("f", "x").bytes();
    c[OzipWriter::HeaderSize] = char(225);
    EXPECT_EQ(unpack(OzipWriter::withCrcFixed(c)), COB_Ozip::BadContents);
}

// A small package that decodes to far more than its directory lists: decoding
// stops at the listed sizes and the package fails, whether the extra data comes
// as a size in the section's header or hides behind the entries before the end mark.
TEST_F(OzipTest, DataBeyondTheListedSizesFailsWithoutBeingDecoded)
{
    const QByteArray zeros(64 << 20, '\0');
    for (bool endMark : {true, false}) {
        SCOPED_TRACE(endMark);
        QDir(dest()).removeRecursively();
        OzipWriter w;
        w.options().endMark = endMark;
        w.options().trailingData = zeros;
        w.file("Setup.xml", "<setup/>");
        const QByteArray bomb = w.bytes();
        ASSERT_LT(bomb.size(), 64 << 10);
        COB_Ozip ozip;
        EXPECT_EQ(unpack(bomb, &ozip), COB_Ozip::BadContents);
        EXPECT_TRUE(ozip.errorString().contains(QStringLiteral("8 bytes its directory lists")))
            << ozip.errorString().toStdString();
        // A size in the header gives it away before anything is written.
        if (!endMark) {
            EXPECT_FALSE(QFileInfo::exists(dest()));
        }
    }
}

// Listed sizes that cannot fit on the disk fail before the first byte is decoded,
// however small the package.
TEST_F(OzipTest, ListedSizesBeyondTheFreeSpaceFailAtOnce)
{
    OzipWriter w;
    w.file("Setup.xml", "<setup/>").listBeyondAnyDisk(65534);
    COB_Ozip ozip;
    EXPECT_EQ(unpack(w, &ozip), COB_Ozip::EntryFailed);
    EXPECT_TRUE(ozip.errorString().startsWith(QStringLiteral("not enough disk space to unpack the package: it needs ")))
        << ozip.errorString().toStdString();
    EXPECT_FALSE(QFileInfo::exists(dest()));
}

TEST_F(OzipTest, EveryFailureSaysWhy)
{
    const QByteArray good = OzipWriter().file("f", "x").bytes();
    QByteArray badMagic = good;
    badMagic[0] = 'P';
    QByteArray badCrc = good;
    badCrc[40] = char(badCrc[40] ^ 1);
    const struct
    {
        QByteArray container;
        int result;
        const char *reason;
    } cases[] = {
        {good, COB_Ozip::Done, ""},
        {badMagic, COB_Ozip::BadMagic, "is not an update package"},
        {badCrc, COB_Ozip::BadCrc, "checksum does not match"},
        {OzipWriter::withCrcFixed(good.left(good.size() - 3)), COB_Ozip::BadContents, "damaged"},
        {OzipWriter().file("../evil", "x").bytes(), COB_Ozip::EntryFailed, "refused"},
        {OzipWriter().file("d/f", "x").bytes(), COB_Ozip::EntryFailed, "refused"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.reason);
        QDir(dest()).removeRecursively();
        COB_Ozip ozip;
        EXPECT_EQ(unpack(c.container, &ozip), c.result);
        EXPECT_TRUE(ozip.errorString().contains(QLatin1String(c.reason))) << ozip.errorString().toStdString();
        EXPECT_EQ(ozip.errorString().isEmpty(), c.result == COB_Ozip::Done);
    }
    COB_Ozip ozip;
    EXPECT_EQ(ozip.Unzip2(sandbox.base() + QStringLiteral("/missing.bin"), dest()), COB_Ozip::CannotOpen);
    EXPECT_TRUE(ozip.errorString().contains(QStringLiteral("cannot be opened"))) << ozip.errorString().toStdString();
}

TEST_F(OzipTest, AStopFlagEndsTheUnpack)
{
    std::atomic<bool> stop{true};
    COB_Ozip ozip;
    ozip.setStopFlag(&stop);
    EXPECT_EQ(unpack(OzipWriter().file("f", "x"), &ozip), COB_Ozip::EntryFailed);
    EXPECT_EQ(ozip.errorString(), QStringLiteral("the unpack was stopped"));
    EXPECT_FALSE(QFileInfo::exists(dest()));
    stop = false;
    EXPECT_EQ(unpack(OzipWriter().file("f", "x"), &ozip), COB_Ozip::Done);
}

TEST_F(OzipTest, SectionMustEndAsItsHeaderSays)
{
    // Every entry's bytes may come out of a section whose end is broken: the
    // unpack still fails, as decoding the same section on its own does.
    const int lzmaHeader = 13;
    auto section = [](const QByteArray &c) { return c.mid(OzipWriter::HeaderSize, int(OzipWriter::sectionLength(c))); };
    auto withSection = [](QByteArray c, const QByteArray &replacement) {
        const int at = OzipWriter::HeaderSize;
        const int len = int(OzipWriter::sectionLength(c));
        c.replace(at, len, replacement);
        const quint32 newLen = quint32(replacement.size());
        for (int i = 0; i < 4; ++i)
            c[16 + i] = char((newLen >> (8 * i)) & 0xFF);
        return OzipWriter::withCrcFixed(c);
    };
    const QByteArray data = mixed(40000, 3);

    struct Case
    {
        const char *name;
        QByteArray container;
    };
    QVector<Case> cases;
    {
        // Size unknown, and the stream stops without its end mark.
        QByteArray c = OzipWriter().file("f", data).bytes();
        QByteArray s = section(c);
        for (int i = 5; i < lzmaHeader; ++i)
            s[i] = char(0xFF);
        cases.append({"end mark missing", withSection(c, s)});
    }
    {
        // The end mark's last bytes are cut off.
        OzipWriter w;
        w.options().endMark = true;
        w.file("f", data);
        QByteArray c = w.bytes();
        cases.append({"end mark cut", withSection(c, section(c).left(section(c).size() - 3))});
    }
    {
        // Only empty entries, so the section is never read for them: it is garbage.
        QByteArray c = OzipWriter().file("e1", "").file("e2", "").bytes();
        QByteArray s = section(c).left(lzmaHeader) + QByteArray(64, char(0xA5));
        cases.append({"garbage section, empty entries", withSection(c, s)});
    }
    {
        QByteArray c = OzipWriter().bytes();
        QByteArray s = section(c).left(lzmaHeader) + QByteArray(64, char(0xA5));
        cases.append({"garbage section, no entries", withSection(c, s)});
    }
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dest()).removeRecursively();
        EXPECT_EQ(unpack(c.container), COB_Ozip::BadContents);
        const QString alone = sandbox.base() + QStringLiteral("/section.lzma");
        ASSERT_TRUE(sandbox.writeFile(alone, section(c.container)));
        COB_Ozip ozip;
        EXPECT_FALSE(ozip.UnzipFileToFile(alone, sandbox.base() + QStringLiteral("/section.out")));
    }
}

TEST_F(OzipTest, AnnouncedDictionaryBeyondTheDataCostsNoMemory)
{
    QByteArray c = OzipWriter().file("f", "small").bytes();
    for (int i = 1; i <= 4; ++i)
        c[OzipWriter::HeaderSize + i] = char(0xFF);  // a 4 GiB dictionary
    c = OzipWriter::withCrcFixed(c);

    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    QFile status(QStringLiteral("/proc/self/status"));
    ASSERT_TRUE(status.open(QIODevice::ReadOnly));
    rlim_t used = 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            used = rlim_t(line.mid(7).trimmed().split(' ').first().toULongLong()) * 1024;
    ASSERT_GT(used, 0u);
    struct rlimit tight = old;
    tight.rlim_cur = used + (512u << 20);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    int result = unpack(c);
    setrlimit(RLIMIT_AS, &old);
    EXPECT_EQ(result, COB_Ozip::Done);
    EXPECT_EQ(readTree(dest()), (Tree{{"f", "small"}}));
}

TEST_F(OzipTest, UnsafeNamesAreRefusedBeforeAnythingIsWritten)
{
    const QByteArray absolute = QFile::encodeName(sandbox.base() + QStringLiteral("/evil"));
    const QByteArray names[] = {
        "../evil", "..\\evil", "a/../../evil", "ok\\..\\..\\evil", absolute, "\\" + absolute.mid(1),
        "a//b", "a\\\\b", QByteArray("a\0b", 3), QByteArray("evil\0", 5), "", "/", "..", "d/../",
    };
    for (const QByteArray &name : names) {
        SCOPED_TRACE(name.toStdString());
        QDir(dest()).removeRecursively();
        OzipWriter w;
        w.file("before", "b").directory("a/");
        if (name.endsWith('/'))
            w.directory(name);
        else
            w.file(name, "evil");
        w.file("after", "c");
        int result = unpack(w);
        EXPECT_LT(result, 1);
        EXPECT_TRUE(readTree(dest()).isEmpty());
        EXPECT_TRUE(outside().value("evil").isNull());
    }
}

TEST_F(OzipTest, ExistingDestinationIsOverwrittenButNeverLeftThroughLinks)
{
    QDir().mkpath(dest() + QStringLiteral("/keep"));
    QFile old(dest() + QStringLiteral("/f"));
    old.open(QIODevice::WriteOnly);
    old.write("an older and much longer content");
    old.close();
    EXPECT_EQ(unpack(OzipWriter().file("f", "new").directory("keep/")), COB_Ozip::Done);
    EXPECT_EQ(readTree(dest()), (Tree{{"f", "new"}, {"keep/", ""}}));

    // Links already in the destination are never written through: a linked
    // folder stops the unpack, a linked or hard-linked file is replaced.
    const QString target = sandbox.base() + QStringLiteral("/target");
    QDir().mkpath(target);
    sandbox.writeFile(target + QStringLiteral("/victim"), "untouched");
    QDir(dest()).removeRecursively();
    QDir().mkpath(dest());
    ASSERT_TRUE(QFile::link(target, dest() + QStringLiteral("/link")));
    ASSERT_TRUE(QFile::link(target + QStringLiteral("/victim"), dest() + QStringLiteral("/victim")));
    ASSERT_EQ(::link(QFile::encodeName(target + QStringLiteral("/victim")).constData(),
                     QFile::encodeName(dest() + QStringLiteral("/hard")).constData()), 0);
    EXPECT_EQ(unpack(OzipWriter().file("link/victim", "evil")), COB_Ozip::EntryFailed);
    EXPECT_EQ(unpack(OzipWriter().directory("link/sub/")), COB_Ozip::EntryFailed);
    EXPECT_EQ(unpack(OzipWriter().file("victim", "new").file("hard", "new too")), COB_Ozip::Done);
    EXPECT_EQ(readTree(target), (Tree{{"victim", "untouched"}}));
    EXPECT_EQ(readTree(dest()), (Tree{{"link@", ""}, {"victim", "new"}, {"hard", "new too"}}));
}

TEST_F(OzipTest, EntryOrderAndFolderRules)
{
    // A file whose folder comes later cannot be created: extraction stops there.
    EXPECT_EQ(unpack(OzipWriter().file("first", "1").file("d\\f", "12345").directory("d\\")),
              COB_Ozip::EntryFailed);
    EXPECT_EQ(readTree(dest()), (Tree{{"first", "1"}}));

    // A folder entry makes one level: a parent without an entry of its own stops it.
    QDir(dest()).removeRecursively();
    EXPECT_EQ(unpack(OzipWriter().file("first", "1").directory("a/b\\c/").file("a/b/c/x", "x")),
              COB_Ozip::EntryFailed);
    EXPECT_EQ(readTree(dest()), (Tree{{"first", "1"}}));

    // A folder entry carrying data is not a file either.
    QDir(dest()).removeRecursively();
    OzipWriter::Entry e;
    e.name = "d/";
    e.data = "data";
    EXPECT_EQ(unpack(OzipWriter().add(e)), COB_Ozip::EntryFailed);
    EXPECT_TRUE(readTree(dest()).isEmpty());

    // A destination that cannot be made fails the first entry; with no entry
    // there is nothing to fail.
    QDir(dest()).removeRecursively();
    ASSERT_TRUE(sandbox.writeFile(dest(), "a file, not a folder"));
    EXPECT_EQ(unpack(OzipWriter()), COB_Ozip::Done);
    EXPECT_EQ(unpack(OzipWriter().file("f", "x")), COB_Ozip::EntryFailed);
    EXPECT_EQ(sandbox.readFile(dest()), QByteArray("a file, not a folder"));
}

TEST_F(OzipTest, LargeEntryStreamsThrough)
{
    const quint64 size = (24u << 20) + 12345;
    auto gen = [](quint64 offset, char *buf, size_t len) {
        for (size_t i = 0; i < len; ++i) {
            quint64 p = offset + i;
            buf[i] = (p >> 16) % 3 == 0 ? char((p * 2654435761u) >> 13) : char('a' + p % 23);
        }
    };
    QCryptographicHash expected(QCryptographicHash::Sha1);
    QByteArray chunk(1 << 20, '\0');
    for (quint64 at = 0; at < size; at += quint64(chunk.size())) {
        size_t n = size_t(qMin<quint64>(quint64(chunk.size()), size - at));
        gen(at, chunk.data(), n);
        expected.addData(chunk.constData(), int(n));
    }
    OzipWriter w;
    w.options().level = 0;
    w.generated("big.bin", size, gen).file("tail", "end");
    const QString package = sandbox.base() + QStringLiteral("/big.ozip");
    ASSERT_TRUE(w.write(package));

    COB_Ozip ozip;
    ASSERT_EQ(ozip.Unzip2(package, dest()), COB_Ozip::Done);
    QFile out(dest() + QStringLiteral("/big.bin"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    QCryptographicHash got(QCryptographicHash::Sha1);
    got.addData(&out);
    EXPECT_EQ(out.size(), qint64(size));
    EXPECT_EQ(got.result(), expected.result());
    EXPECT_EQ(sandbox.readFile(dest() + QStringLiteral("/tail")), QByteArray("end"));
}

TEST_F(OzipTest, FailedWritesFailTheUnpack)
{
    // A full disk must not pass for a complete unpack.
    const QString package = sandbox.base() + QStringLiteral("/package.bin");
    ASSERT_TRUE(sandbox.writeFile(package, OzipWriter().file("big", mixed(3 << 20, 5)).file("after", "x").bytes()));
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit tight = old;
    tight.rlim_cur = 1 << 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    COB_Ozip ozip;
    int result = ozip.Unzip2(package, dest());
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(result, COB_Ozip::EntryFailed);
    EXPECT_TRUE(ozip.errorString().startsWith(QStringLiteral("a file of the package is larger than this system")))
        << ozip.errorString().toStdString();
}

TEST_F(OzipTest, UnzipFileToFileDecodesOneStream)
{
    const QByteArray data = mixed(200000, 3);
    const QString in = sandbox.base() + QStringLiteral("/in.lzma");
    const QString out = sandbox.base() + QStringLiteral("/out.bin");
    COB_Ozip ozip;
    for (bool endMark : {false, true}) {
        SCOPED_TRACE(endMark);
        QByteArray stream = OzipWriter::lzmaAlone(data, endMark);
        ASSERT_TRUE(sandbox.writeFile(in, stream));
        EXPECT_TRUE(ozip.UnzipFileToFile(in, out));
        EXPECT_EQ(sandbox.readFile(out), data);

        ASSERT_TRUE(sandbox.writeFile(in, stream.left(stream.size() / 2)));
        EXPECT_FALSE(ozip.UnzipFileToFile(in, out));
        ASSERT_TRUE(sandbox.writeFile(in, stream.left(7)));
        EXPECT_FALSE(ozip.UnzipFileToFile(in, out));
    }
    EXPECT_FALSE(ozip.UnzipFileToFile(sandbox.base() + QStringLiteral("/none"), out));
    EXPECT_FALSE(ozip.UnzipFileToFile(in, sandbox.base() + QStringLiteral("/no/such/folder/out")));
}

} // namespace
