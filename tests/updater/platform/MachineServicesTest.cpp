#include "MachineServices.h"
#include "Sandbox.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class MachineServicesTest : public SandboxTest
{
protected:
    // A stand-in opener that records its argument; the record appears whole, by a rename.
    QString fakeProgram(const QString &name)
    {
        const QString path = sandbox.base() + QStringLiteral("/bin/") + name;
        const QString record = sandbox.base() + QStringLiteral("/opened-by-") + name;
        EXPECT_TRUE(sandbox.writeFile(path, QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1.part' && mv '%1.part' '%1'\n")
                                                .arg(record)
                                                .toUtf8()));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return path;
    }

    QByteArray waitForRecord(const QString &name)
    {
        const QString record = sandbox.base() + QStringLiteral("/opened-by-") + name;
        QElapsedTimer timer;
        timer.start();
        while (!QFileInfo::exists(record) && timer.elapsed() < 30000)
            QThread::msleep(10);
        return sandbox.readFile(record);
    }
};

TEST_F(MachineServicesTest, HardwareUuidFromTheMachineId)
{
    const struct
    {
        const char *contents; // null: no file
        const char *uuid;
    } cases[] = {
        {"0123456789abcdef0123456789abcdef\n", "01234567-89AB-CDEF-0123-456789ABCDEF"},
        {nullptr, ""},
        {"", ""},
        {"0123456789abcdef", ""},
        {"0123456789abcdef0123456789abcdeg\n", ""},
    };
    const QString file = sandbox.systemPath(QStringLiteral("/etc/machine-id"));
    for (const auto &c : cases) {
        QFile::remove(file);
        if (c.contents) {
            ASSERT_TRUE(sandbox.writeFile(file, c.contents));
        }
        EXPECT_EQ(GetHardwareUUID(), QLatin1String(c.uuid)) << (c.contents ? c.contents : "no file");
    }
}

TEST_F(MachineServicesTest, OpensWithTheDesktopOrTheNamedProgram)
{
    fakeProgram(QStringLiteral("xdg-open"));
    sandbox.setEnv("PATH", (sandbox.base() + QStringLiteral("/bin:") + qEnvironmentVariable("PATH")).toLocal8Bit());
    EXPECT_NE(processMacAppOpenfile(QString(), QStringLiteral("/tmp/a file.pdf")), 0);
    EXPECT_EQ(waitForRecord(QStringLiteral("xdg-open")), QByteArray("/tmp/a file.pdf"));

    const QString viewer = fakeProgram(QStringLiteral("viewer"));
    EXPECT_NE(processMacAppOpenfile(viewer, QStringLiteral("b.pdf")), 0);
    EXPECT_EQ(waitForRecord(QStringLiteral("viewer")), QByteArray("b.pdf"));

    EXPECT_EQ(processMacAppOpenfile(sandbox.base() + QStringLiteral("/bin/none"), QStringLiteral("c.pdf")), 0);
}

} // namespace
