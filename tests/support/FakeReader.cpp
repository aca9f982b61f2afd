#include "FakeReader.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <condition_variable>
#include <mutex>

struct FakeReader::Shared
{
    std::mutex mutex;
    std::condition_variable changed;
    QStringList words;
    bool started = false;
    bool listening = false;
};

class FakeReader::Thread : public QThread
{
public:
    Thread(std::shared_ptr<Shared> shared, bool answers) : m_shared(std::move(shared)), m_answers(answers) {}

protected:
    void run() override
    {
        QLocalServer server;
        QLocalServer::removeServer(QStringLiteral("updater_check_state"));
        const bool listening = server.listen(QStringLiteral("updater_check_state"));
        QObject::connect(&server, &QLocalServer::newConnection, [this, &server] {
            while (QLocalSocket *socket = server.nextPendingConnection()) {
                auto word = std::make_shared<QByteArray>();
                QObject::connect(socket, &QLocalSocket::readyRead, [this, socket, word] {
                    const bool first = word->isEmpty();
                    *word += socket->readAll();
                    if (first && m_answers)
                        socket->write("ok");
                });
                QObject::connect(socket, &QLocalSocket::disconnected, [this, socket, word] {
                    *word += socket->readAll();
                    {
                        std::lock_guard<std::mutex> lock(m_shared->mutex);
                        m_shared->words << QString::fromUtf8(*word);
                    }
                    m_shared->changed.notify_all();
                    socket->deleteLater();
                });
            }
        });
        {
            std::lock_guard<std::mutex> lock(m_shared->mutex);
            m_shared->started = true;
            m_shared->listening = listening;
        }
        m_shared->changed.notify_all();
        exec();
    }

private:
    std::shared_ptr<Shared> m_shared;
    bool m_answers;
};

FakeReader::FakeReader(bool answers)
    : m_shared(std::make_shared<Shared>())
    , m_thread(new Thread(m_shared, answers))
{
    m_thread->start();
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    m_shared->changed.wait(lock, [this] { return m_shared->started; });
}

FakeReader::~FakeReader()
{
    m_thread->quit();
    m_thread->wait();
}

bool FakeReader::isListening() const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->listening;
}

QStringList FakeReader::words() const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->words;
}

bool FakeReader::waitForWords(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    return m_shared->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                      [this, count] { return m_shared->words.size() >= count; });
}
