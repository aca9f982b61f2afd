#pragma once

// Shared set-up of the update-check tests: an application object over a parsed
// command line, the reader bundle's files, the reply fixture, and a way to run a
// test from inside a fake reader bundle.

#include "CReaderModuleManager.h"
#include "CSetup_CommandLine.h"
#include "Sandbox.h"
#include "UpdaterApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <unistd.h>

// Readable QStrings in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << '"' << bytes.toStdString() << '"';
}

namespace modulecheck {

// True when this test program runs from a copy inside a reader bundle; the
// schedule file and the package type are then found beside that bundle.
inline bool inReaderBundle()
{
    return QCoreApplication::applicationDirPath().endsWith(QLatin1String(".app/Contents/MacOS"));
}

inline QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(ORBEL_TEST_DATA_DIR "/update_check/") + name);
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing fixture " << name.toStdString();
    return file.readAll();
}

// The reply fixture with the given attributes on its root element.
inline QByteArray reply(const QByteArray &rootAttributes = QByteArray())
{
    QByteArray bytes = fixture(QStringLiteral("reply.xml"));
    bytes.replace("ROOT_ATTRIBUTES", rootAttributes);
    return bytes;
}

// A reply of the update service offering the given "<addon .../>" lines.
inline QByteArray replyOffering(const QByteArray &modules)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<addons>\n" + modules + "</addons>\n";
}

// Runs the current test again in a copy of this program placed where the updater
// lives in the sandbox's fake reader bundle, and reports its outcome here.
inline void runInReaderBundle(const Sandbox &sandbox)
{
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString name = QString::fromLatin1(info->test_suite_name()) + QLatin1Char('.') + info->name();
    const QString target = QFileInfo(sandbox.updaterExecutable()).path() + QStringLiteral("/updater_tests");
    QDir().mkpath(QFileInfo(target).path());
    const QString source = QCoreApplication::applicationFilePath();
    // A hard link runs under the bundle's path at no cost; a copy when that fails.
    if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0) {
        ASSERT_TRUE(QFile::copy(source, target));
    }
    QProcess child;
    child.setProcessEnvironment(sandbox.environment());
    child.setWorkingDirectory(sandbox.base());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(target, {QStringLiteral("--gtest_filter=") + name});
    ASSERT_TRUE(child.waitForFinished(60000)) << "the bundled run did not end";
    const QString output = QString::fromUtf8(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << output.toStdString();
}

class ModuleCheckTest : public SandboxTest
{
protected:
    void TearDown() override
    {
        manager.reset();
        theApp = nullptr;
        app.reset();
    }

    // The reader bundle this run belongs to: the one around this program when it
    // runs bundled, the sandbox's otherwise.
    QString bundle() const
    {
        if (inReaderBundle())
            return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../../../.."));
        return sandbox.readerBundle();
    }

    QString readerPath() const { return bundle() + QStringLiteral("/Contents/MacOS"); }
    QString resources() const { return bundle() + QStringLiteral("/Contents/Resources/"); }

    void writeInstalled(const QByteArray &xml) { ASSERT_TRUE(sandbox.writeFile(resources() + "UpdaterInfo.xml", xml)); }
    void writePackageType(const QString &type)
    {
        ASSERT_TRUE(sandbox.writeFile(resources() + "packagetype.xml",
                                      QStringLiteral("<?xml version=\"1.0\"?>\n<package name=\"%1\"/>\n").arg(type).toUtf8()));
    }
    // Creates every file the installed list names, so that no forced upgrade follows from a missing one.
    void createInstalledFiles()
    {
        const QStringList paths = {QStringLiteral("Signature.bundle"), QStringLiteral("Stamps.bundle"),
                                   QStringLiteral("Comments.bundle"), QStringLiteral("OCR_Japanese.bundle")};
        for (const QString &path : paths)
            sandbox.writeFile(sandbox.systemPath("/Applications/Orbel PDF Reader.app/Contents/PlugIns/" + path), "x");
        sandbox.writeFile(sandbox.systemPath("/Applications/Orbel PDF Reader.app/Contents/Resources/ocr/jpn.dat"), "x");
    }

    // An application object for the given switches and a manager of the given type.
    void start(QStringList arguments, const QString &updaterType)
    {
        arguments << QStringLiteral("-readerpath") << readerPath();
        QDir().mkpath(readerPath());
        commandLine.reset(new CSetup_CommandLine);
        commandLine->ProcessCmdLine(JoinCommandArgumentsForParse(arguments));
        app.reset(new UpdaterApp(commandLine.get()));
        theApp = app.get();
        manager.reset(new CReaderModuleManager(updaterType));
    }

    // Parses a reply file as if it had just been downloaded.
    bool judge(const QByteArray &replyBytes)
    {
        const QString path = sandbox.base() + QStringLiteral("/reply.xml");
        sandbox.writeFile(path, replyBytes);
        return manager->OnPaserModuleInfo(path);
    }

    QStringList offered()
    {
        QStringList names;
        for (int i = 0; i < manager->CountAvailableModule(); ++i)
            names << QString::fromStdString(manager->GetAvailabletModule(i)->name);
        return names;
    }

    QStringList checked()
    {
        QStringList names;
        for (int i = 0; i < manager->CountAvailableModule(); ++i) {
            if (manager->GetAvailabletModule(i)->bChecked)
                names << QString::fromStdString(manager->GetAvailabletModule(i)->name);
        }
        return names;
    }

    MODULEINFO *offeredModule(const std::string &name)
    {
        for (int i = 0; i < manager->CountAvailableModule(); ++i) {
            if (manager->GetAvailabletModule(i)->name == name)
                return manager->GetAvailabletModule(i);
        }
        return nullptr;
    }

    // The signals a query gave, in order ("finish", "error", "network"), up to the
    // first one named in stopAt; "not started" when nothing was started.
    QString runQuery(const QStringList &stopAt = {QStringLiteral("finish"), QStringLiteral("error"),
                                                  QStringLiteral("network")},
                     int timeoutMs = 10000)
    {
        QStringList outcome;
        QEventLoop loop;
        auto note = [&](const QString &what) {
            outcome << what;
            if (stopAt.contains(what))
                loop.quit();
        };
        QObject::connect(manager.get(), &CReaderModuleManager::sQueryModuleInfoFinish, &loop,
                         [&] { note(QStringLiteral("finish")); });
        QObject::connect(manager.get(), &CReaderModuleManager::sErrorFinish, &loop,
                         [&] { note(QStringLiteral("error")); });
        QObject::connect(manager.get(), &CReaderModuleManager::sErrorNetwork, &loop,
                         [&] { note(QStringLiteral("network")); });
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        if (manager->QueryModuleInfo(nullptr, false))
            return QStringLiteral("not started");
        loop.exec();
        return outcome.join(QLatin1Char(','));
    }

    std::unique_ptr<CSetup_CommandLine> commandLine;
    std::unique_ptr<UpdaterApp> app;
    std::unique_ptr<CReaderModuleManager> manager;
};

} // namespace modulecheck

// Runs the rest of the test inside the sandbox's reader bundle.
#define RUN_IN_READER_BUNDLE()                                                                                         \
    do {                                                                                                               \
        if (!::modulecheck::inReaderBundle()) {                                                                        \
            ::modulecheck::runInReaderBundle(sandbox);                                                                 \
            return;                                                                                                    \
        }                                                                                                              \
    } while (0)
