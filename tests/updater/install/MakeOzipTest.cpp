// tools/MakeOzip packs a folder into a package the updater unpacks as it was.

#include "COB_Ozip.h"
#include "Sandbox.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

class MakeOzipTest : public SandboxTest
{
};

TEST_F(MakeOzipTest, AFolderNamedAnyWayUnpacksAsItWas)
{
    ASSERT_TRUE(sandbox.writeFile(QStringLiteral("work/pkg/Setup.xml"), "<setup/>"));
    ASSERT_TRUE(sandbox.writeFile(QStringLiteral("work/pkg/docs/sub/readme.txt"), "read me"));
    const QString work = sandbox.base() + QStringLiteral("/work");
    const QStringList folders = {QStringLiteral("pkg"), QStringLiteral("./pkg/"), QStringLiteral("../work/pkg"),
                                 work + QStringLiteral("/pkg")};
    int n = 0;
    for (const QString &folder : folders) {
        SCOPED_TRACE(folder.toStdString());
        const QString package = sandbox.base() + QStringLiteral("/p%1.ozip").arg(++n);
        QProcess tool;
        tool.setWorkingDirectory(work);
        tool.start(QStringLiteral(ORBEL_TOOLS_DIR "/MakeOzip"), {package, folder});
        ASSERT_TRUE(tool.waitForFinished(30000));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

        const QString dest = sandbox.base() + QStringLiteral("/out%1").arg(n);
        COB_Ozip ozip;
        ASSERT_EQ(ozip.Unzip2(package, dest), COB_Ozip::Done) << ozip.errorString().toStdString();
        EXPECT_EQ(QDir(dest).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                  (QStringList{QStringLiteral("Setup.xml"), QStringLiteral("docs")}));
        EXPECT_EQ(sandbox.readFile(dest + QStringLiteral("/Setup.xml")), QByteArray("<setup/>"));
        EXPECT_EQ(sandbox.readFile(dest + QStringLiteral("/docs/sub/readme.txt")), QByteArray("read me"));
    }
}

} // namespace
