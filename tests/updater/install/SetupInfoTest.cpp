#include "SetupInfo.h"

#include "Sandbox.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class SetupInfoTest : public SandboxTest
{
protected:
    void SetUp() override
    {
        folder = sandbox.base() + QStringLiteral("/uncompress/1700000000/");
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("sub")));
        ASSERT_TRUE(sandbox.writeFile(folder + QStringLiteral("Reader.pkg"), "pkg"));
        ASSERT_TRUE(sandbox.writeFile(sandbox.base() + QStringLiteral("/outside.pkg"), "pkg"));
    }
    QString folder;
};

// The installer path is the unpack folder followed by the "name" attribute.
TEST_F(SetupInfoTest, OnlyInstallersBelowTheUnpackFolderPass)
{
    const struct
    {
        const char *name;
        bool inside;
    } cases[] = {
        {"Reader.pkg", true},
        {"sub/Reader.pkg", true},
        {"./Reader.pkg", true},
        {"not-there-yet.pkg", true},
        {"/Applications/x.pkg", true}, // joined to the folder, so it stays below it
        {"", false},                   // a missing name is the folder itself
        {".", false},
        {"../Reader.pkg", false},
        {"../../../outside.pkg", false},
        {"sub/../../x.pkg", false},
        {"sub/../../1700000000/Reader.pkg", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsSetupInstallerInside(folder, folder + QLatin1String(c.name)), c.inside);
    }
    EXPECT_FALSE(IsSetupInstallerInside(folder, sandbox.base() + QStringLiteral("/outside.pkg")));
    EXPECT_FALSE(IsSetupInstallerInside(QString(), folder + QStringLiteral("Reader.pkg")));
}

TEST_F(SetupInfoTest, LinksPointingOutOfTheFolderAreRefused)
{
    ASSERT_TRUE(QFile::link(sandbox.base() + QStringLiteral("/outside.pkg"), folder + QStringLiteral("link.pkg")));
    ASSERT_TRUE(QFile::link(sandbox.base(), folder + QStringLiteral("up")));
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("Reader.pkg"), folder + QStringLiteral("inner.pkg")));

    EXPECT_FALSE(IsSetupInstallerInside(folder, folder + QStringLiteral("link.pkg")));
    EXPECT_FALSE(IsSetupInstallerInside(folder, folder + QStringLiteral("up/outside.pkg")));
    EXPECT_FALSE(IsSetupInstallerInside(folder, folder + QStringLiteral("up/not-there.pkg")));
    EXPECT_TRUE(IsSetupInstallerInside(folder, folder + QStringLiteral("inner.pkg")));
}

} // namespace
