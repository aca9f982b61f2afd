// The module manager's download window as the check sees it: made by the maker
// registered at start-up, driven through its interface, its signals relayed as the
// manager's own, and let go with the manager.

#include "CReaderModuleManager.h"
#include "DownloadWindow.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Records what the manager asks of it; its signals stand for the window's.
class RecordingWindow : public QObject, public DownloadWindow
{
    Q_OBJECT
public:
    void setSelectUpdates(QVector<MODULEINFO *> modules) override
    {
        QStringList names;
        for (const MODULEINFO *module : modules)
            names << QString::fromStdString(module->name);
        calls << QStringLiteral("select ") + names.join(QLatin1Char(','));
    }
    void showMinimizedAndHide() override { calls << QStringLiteral("out of sight"); }
    void startShowDownload() override { calls << QStringLiteral("start"); }
    void cancel() override { calls << QStringLiteral("cancel"); }
    void pauseDown() override { calls << QStringLiteral("pause"); }
    void new_continue_download() override { calls << QStringLiteral("resume"); }
    void setVisible(bool visible) override { calls << (visible ? QStringLiteral("show") : QStringLiteral("hide")); }
    void installHasDownloadUpdates(QString packagePath) override { calls << QStringLiteral("install ") + packagePath; }
    void dispose() override
    {
        *disposed = true;
        deleteLater();
    }

    QStringList calls;
    std::shared_ptr<bool> disposed = std::make_shared<bool>(false);

signals:
    void progress(QString title, double percent);
    void installProgress(QString title, int value);
    void startInstall(QString packagePath);
    void currentModule(QString name);
};

class DownloadWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DownloadWindow::registerMaker([this](CReaderModuleManager &manager) -> DownloadWindow * {
            auto *window = new RecordingWindow;
            QObject::connect(window, &RecordingWindow::progress, &manager, &CReaderModuleManager::getDownProgress);
            QObject::connect(window, &RecordingWindow::installProgress, &manager,
                             &CReaderModuleManager::setInstallProgress);
            QObject::connect(window, &RecordingWindow::startInstall, &manager, &CReaderModuleManager::startInstall);
            QObject::connect(window, &RecordingWindow::currentModule, &manager,
                             &CReaderModuleManager::Slot_SetCurrentDownloadModule);
            made << window;
            return window;
        });
    }

    void TearDown() override
    {
        DownloadWindow::registerMaker({});
        // The windows of the managers gone wait for an event loop; none runs here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A manager offering and selecting modules of these names, in order.
    std::unique_ptr<CReaderModuleManager> managerSelecting(const QStringList &names)
    {
        std::unique_ptr<CReaderModuleManager> manager(new CReaderModuleManager(QStringLiteral("Update List")));
        for (const QString &name : names) {
            MODULEINFO *record = manager->CloneAvailableModuleInfo(manager->AddModule(QStringLiteral("Update List")));
            record->name = name.toStdString();
            manager->AddSelModule(record);
        }
        return manager;
    }

    QList<RecordingWindow *> made;
};

TEST_F(DownloadWindowTest, ManagerDrivesItsWindowThroughTheInterface)
{
    auto manager = managerSelecting({"A", "B"});
    ASSERT_EQ(made.size(), 1);
    RecordingWindow *window = made.first();
    EXPECT_EQ(manager->GetDownloadWindow(), window);

    manager->startDownload();
    manager->Download(manager->GetSelModule(1));
    manager->OnDownloadPause();
    manager->OnDownloadResume();
    EXPECT_TRUE(manager->stopDownload());
    // Any record starts the whole selection, after a cancel of what ran before.
    EXPECT_EQ(window->calls, (QStringList{"cancel", "select A,B", "out of sight", "start", "pause", "resume",
                                          "cancel"}));

    // Without a record the window is not started.
    window->calls.clear();
    manager->Download(nullptr);
    EXPECT_TRUE(window->calls.isEmpty());
}

TEST_F(DownloadWindowTest, WindowSignalsComeBackAsTheManagersOwn)
{
    auto manager = managerSelecting({"A", "B"});
    RecordingWindow *window = made.first();
    QSignalSpy progress(manager.get(), &CReaderModuleManager::sSendDownloadProgress);
    QSignalSpy install(manager.get(), &CReaderModuleManager::sSendInstallProgress);
    QSignalSpy package(manager.get(), &CReaderModuleManager::sSendInstallPkg);

    emit window->currentModule(QStringLiteral("B"));
    EXPECT_EQ(manager->GetCurDownloadModule(), manager->GetSelModule(1));
    emit window->progress(QStringLiteral("B title"), 42.5);
    emit window->installProgress(QStringLiteral("B title"), 20);
    emit window->startInstall(QStringLiteral("/tmp/B.ozip"));
    ASSERT_EQ(progress.size(), 1);
    EXPECT_EQ(progress.first(), (QList<QVariant>{QStringLiteral("B title"), 42.5}));
    ASSERT_EQ(install.size(), 1);
    EXPECT_EQ(install.first(), (QList<QVariant>{QStringLiteral("B title"), 20}));
    ASSERT_EQ(package.size(), 1);
    EXPECT_EQ(package.first().first().toString(), QStringLiteral("/tmp/B.ozip"));
}

TEST_F(DownloadWindowTest, WindowGoesWithItsManagerAndRelaysNothingAfter)
{
    auto manager = managerSelecting({"A"});
    RecordingWindow *window = made.first();
    const std::shared_ptr<bool> disposed = window->disposed;
    QPointer<RecordingWindow> alive(window);
    manager.reset();
    EXPECT_TRUE(*disposed);
    // Still there until the event loop lets it go, and its signals reach no one.
    ASSERT_FALSE(alive.isNull());
    emit window->currentModule(QStringLiteral("A"));
    emit window->startInstall(QStringLiteral("/tmp/A.ozip"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

} // namespace

#include "DownloadWindowTest.moc"
