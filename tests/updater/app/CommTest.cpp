#include "Comm.h"
#include "Sandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class CommTest : public SandboxTest
{
};

TEST_F(CommTest, RemovesATreeWithHiddenAndReadOnlyFiles)
{
    for (const QString &suffix : {QString(), QStringLiteral("/")}) {
        const QString top = sandbox.base() + QStringLiteral("/unpack");
        ASSERT_TRUE(sandbox.writeFile(top + QStringLiteral("/a.txt"), "a"));
        ASSERT_TRUE(sandbox.writeFile(top + QStringLiteral("/.hidden"), "h"));
        ASSERT_TRUE(sandbox.writeFile(top + QStringLiteral("/sub/deeper/b.pkg"), "b"));
        ASSERT_TRUE(QDir().mkpath(top + QStringLiteral("/empty")));
        const QString readOnly = top + QStringLiteral("/sub/locked.txt");
        ASSERT_TRUE(sandbox.writeFile(readOnly, "r"));
        ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));

        EXPECT_TRUE(Comm::deleteDir(top + suffix));
        EXPECT_FALSE(QFileInfo::exists(top));
    }
    EXPECT_TRUE(Comm::deleteDir(sandbox.base() + QStringLiteral("/never-there")));
}

TEST_F(CommTest, SymbolicLinksAreRemovedNeverFollowed)
{
    const QString outside = sandbox.base() + QStringLiteral("/outside");
    ASSERT_TRUE(sandbox.writeFile(outside + QStringLiteral("/keep.txt"), "keep"));
    const QString outsideFile = outside + QStringLiteral("/readonly.txt");
    ASSERT_TRUE(sandbox.writeFile(outsideFile, "ro"));
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(outsideFile, readOnly));

    const QString top = sandbox.base() + QStringLiteral("/unpack");
    ASSERT_TRUE(QDir().mkpath(top + QStringLiteral("/sub")));
    ASSERT_TRUE(QFile::link(outside, top + QStringLiteral("/dirlink")));
    ASSERT_TRUE(QFile::link(outsideFile, top + QStringLiteral("/sub/filelink")));
    ASSERT_TRUE(QFile::link(sandbox.base() + QStringLiteral("/nothing"), top + QStringLiteral("/dangling")));

    EXPECT_TRUE(Comm::deleteDir(top));
    EXPECT_FALSE(QFileInfo::exists(top));
    EXPECT_EQ(sandbox.readFile(outside + QStringLiteral("/keep.txt")), QByteArray("keep"));
    EXPECT_EQ(sandbox.readFile(outsideFile), QByteArray("ro"));
    // The link's target keeps its permissions: nothing was changed through the link.
    EXPECT_EQ(QFile::permissions(outsideFile) & 0x7077, readOnly);
}

TEST_F(CommTest, FolderThatIsItselfALinkLosesOnlyTheLink)
{
    // The unpack root replaced by a link to another folder: that folder's files stay.
    const QString outside = sandbox.base() + QStringLiteral("/outside");
    ASSERT_TRUE(sandbox.writeFile(outside + QStringLiteral("/keep.txt"), "keep"));
    const QString link = sandbox.base() + QStringLiteral("/uncompress");
    for (const QString &suffix : {QString(), QStringLiteral("/")}) {
        ASSERT_TRUE(QFile::link(outside, link));
        EXPECT_TRUE(Comm::deleteDir(link + suffix));
        EXPECT_FALSE(QFileInfo(link).isSymLink());
        EXPECT_EQ(sandbox.readFile(outside + QStringLiteral("/keep.txt")), QByteArray("keep")) << suffix.toStdString();
    }
}

} // namespace
