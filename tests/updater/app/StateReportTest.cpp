// State reports to the reader and the loopback listener.

#include "CSetup_CommandLine.h"
#include "FakeReader.h"
#include "Sandbox.h"
#include "UpdateDialogs.h"
#include "UpdateListener.h"
#include "UpdaterApp.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QDir>
#include <QFileInfo>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QThread>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <future>
#include <memory>
#include <thread>
#include <gtest/gtest.h>

namespace {

class StateReport : public SandboxTest
{
protected:
    void TearDown() override
    {
        theApp = nullptr;
        app.reset();
    }

    void start(const QString &arguments)
    {
        commandLine.reset(new CSetup_CommandLine);
        commandLine->ProcessCmdLine(arguments);
        app.reset(new UpdaterApp(commandLine.get()));
        theApp = app.get();
    }

    QString markers() const
    {
        return sandbox.systemPath(QStringLiteral("/usr/local/share/orbel/Orbel PDF Reader/ACUpdate/"));
    }

    std::unique_ptr<CSetup_CommandLine> commandLine;
    std::unique_ptr<UpdaterApp> app;
};

const QStringList AllWords = {QStringLiteral("errornetwork"), QStringLiteral("update finished"),
                              QStringLiteral("close"), QStringLiteral("autoclose")};
const QStringList MarkerNames = {QStringLiteral("OrbelDataerrornetwork.txt"), QStringLiteral("OrbelDataupdatefinished.txt"),
                                 QStringLiteral("OrbelDataclose.txt"), QStringLiteral("OrbelDataautoclose.txt")};

TEST_F(StateReport, EachStateSendsItsWordAndLeavesAMarkerOnlyInInternalRuns)
{
    for (const bool internal : {true, false}) {
        SCOPED_TRACE(internal);
        Sandbox box;
        FakeReader reader;
        ASSERT_TRUE(reader.isListening());
        start(internal ? QStringLiteral("-InternalUpdateURL http://admin.example/updates") : QString());
        ASSERT_TRUE(box.writeFile(box.systemPath(QStringLiteral("/usr/local/share/orbel/Orbel PDF Reader/ACUpdate/keep")), ""));

        for (int state = 0; state <= 4; ++state)
            app->NotifyMainCallBack(UPDATE_CHECK_STATE(state));
        ASSERT_TRUE(reader.waitForWords(4));
        EXPECT_EQ(reader.words(), AllWords);

        const QString folder = box.systemPath(QStringLiteral("/usr/local/share/orbel/Orbel PDF Reader/ACUpdate/"));
        for (const QString &name : MarkerNames) {
            EXPECT_EQ(QFileInfo::exists(folder + name), internal) << name.toStdString();
            if (internal) {
                EXPECT_EQ(QFileInfo(folder + name).size(), 0);
            }
        }
        EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), internal ? 5 : 1);
        theApp = nullptr;
        app.reset();
    }
}

TEST_F(StateReport, NoMarkerFolderIsMadeAndNoReaderOnlyCostsTheWaits)
{
    // Only the answer that never comes is waited for briefly; connecting keeps its real wait.
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "StateSocketReply=500");
    start(QStringLiteral("-InternalUpdateURL http://admin.example/updates"));
    QElapsedTimer timer;
    timer.start();
    // No reader at all, then a reader that never answers: both end without the real waits.
    app->NotifyMainCallBack(UPDATE_CHECK_FINISHED);
    {
        FakeReader silent(false);
        ASSERT_TRUE(silent.isListening());
        app->NotifyMainCallBack(UPDATE_CHECK_CLOSE);
        ASSERT_TRUE(silent.waitForWords(1));
        EXPECT_EQ(silent.words(), QStringList{QStringLiteral("close")});
    }
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_FALSE(QFileInfo::exists(markers()));
}

// A client of the listener on its own thread, since the listener answers on this one.
struct Client
{
    explicit Client(quint16 port, bool reads)
        : thread([this, port, reads] {
              QTcpSocket socket;
              socket.connectToHost(QHostAddress::LocalHost, port);
              if (socket.waitForConnected(10000)) {
                  connected = true;
                  if (reads) {
                      while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(10000))
                          answer += socket.readAll();
                      answer += socket.readAll();
                  } else {
                      // Holds the connection open without reading until told to go.
                      released.wait();
                  }
              }
              done = true;
          })
    {
    }
    ~Client()
    {
        release.set_value();
        thread.join();
    }
    std::atomic<bool> connected{false};
    std::atomic<bool> done{false};
    std::promise<void> release;
    std::future<void> released = release.get_future();
    QByteArray answer;
    std::thread thread;
};

// Keeps this thread's events flowing (the listener answers on it) until the condition holds.
bool runUntil(const std::function<bool()> &condition)
{
    return QTest::qWaitFor(condition, 10000);
}

TEST_F(StateReport, ListenerAnswersOnLoopbackWithoutHoldingUpTheRun)
{
    UpdateListener listener;
    listener.startListener();
    const quint16 port = listener.serverPort();
    ASSERT_NE(port, 0);

    // A client that never reads does not hold up the next one, nor this thread.
    Client idle(port, false);
    ASSERT_TRUE(runUntil([&] { return bool(idle.connected); }));
    QElapsedTimer timer;
    timer.start();
    Client reader(port, true);
    ASSERT_TRUE(runUntil([&] { return bool(reader.done); }));
    EXPECT_EQ(reader.answer, QByteArray("UpdaterRuning"));
    EXPECT_LT(timer.elapsed(), 5000);

    // Loopback only.
    QTcpSocket other;
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : addresses) {
        if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        other.connectToHost(address, port);
        EXPECT_FALSE(other.waitForConnected(2000)) << address.toString().toStdString();
        other.abort();
    }
}

// A free port found by listening once, to be handed to a listener.
quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

TEST_F(StateReport, ListenerPortComesFromTheEnvironment)
{
    const quint16 free = freePort();
    ASSERT_NE(free, 0);
    sandbox.setEnv("ORBEL_UPDATER_LISTEN_PORT", QByteArray::number(free));
    UpdateListener listener;
    listener.startListener();
    EXPECT_EQ(listener.serverPort(), free);
}

// A checking dialog that only asks the listener, from another thread, while it runs.
class ListenerProbe : public UpdateDialogs
{
public:
    explicit ListenerProbe(quint16 port)
        : m_port(port)
    {
    }
    int execUpdateChecking(CReaderModuleManager *) override
    {
        Client client(m_port, true);
        runUntil([&] { return bool(client.done); });
        answer = client.answer;
        return 0;
    }
    int execComponentFound(ComponentInfo &) override { return 0; }
    void execFound(const std::string &, bool, bool, bool, bool, CReaderModuleManager *) override {}

    QByteArray answer;

private:
    quint16 m_port;
};

TEST_F(StateReport, TheRunListensWhileItsDialogsRun)
{
    const quint16 port = freePort();
    ASSERT_NE(port, 0);
    sandbox.setEnv("ORBEL_UPDATER_LISTEN_PORT", QByteArray::number(port));
    ListenerProbe probe(port);
    UpdateDialogs::install(&probe);
    start(JoinCommandArgumentsForParse({"-updater", "-type", "Update List"}));
    app->runUpdate(31, 225);
    UpdateDialogs::install(nullptr);
    EXPECT_EQ(probe.answer, QByteArray("UpdaterRuning"));
}

} // namespace
