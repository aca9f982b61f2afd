#include "TestHttpServer.h"

#include "TestCertificateAuthority.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWaitCondition>
#include <limits>

struct TestHttpServer::Shared
{
    mutable QMutex mutex;
    QWaitCondition requestArrived;
    QMap<QString, Handler> handlers;
    QList<Request> requests;
    int openConnections = 0;
    qint64 bodyBytesSent = 0;
    bool tls = false;
    QSslCertificate certificate;
    QSslKey key;
};

namespace {

const qint64 kChunk = 256 * 1024;
const qint64 kHighWater = 1024 * 1024;
const int kThrottleTickMs = 10;

// A generated body repeats this many pseudo-random bytes.
const int kPatternSize = 256 * 1024;

const QByteArray &pattern()
{
    static const QByteArray bytes = [] {
        QByteArray b(kPatternSize, Qt::Uninitialized);
        quint32 x = 0x9e3779b9u;
        for (int i = 0; i < kPatternSize; ++i) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            b[i] = static_cast<char>(x);
        }
        return b;
    }();
    return bytes;
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 416: return "Range Not Satisfiable";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

// One client connection, living on the server's thread: reads requests one after
// another and plays each response as its Response asks.
class Connection : public QObject
{
public:
    Connection(QTcpSocket *socket, std::shared_ptr<TestHttpServer::Shared> shared, QObject *parent)
        : QObject(parent)
        , m_socket(socket)
        , m_shared(std::move(shared))
    {
        m_socket->setParent(this);
        {
            QMutexLocker lock(&m_shared->mutex);
            ++m_shared->openConnections;
        }
        connect(m_socket, &QTcpSocket::readyRead, this, [this] {
            m_in += m_socket->readAll();
            if (!m_busy)
                nextRequest();
        });
        connect(m_socket, &QTcpSocket::bytesWritten, this, [this] { pump(); });
        connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
        m_throttle.setInterval(kThrottleTickMs);
        connect(&m_throttle, &QTimer::timeout, this, [this] {
            // Thousandths of a byte, so that a few bytes a second come out right too.
            m_credit += m_response.bytesPerSecond * kThrottleTickMs;
            const qint64 whole = m_credit / 1000;
            m_credit -= whole * 1000;
            m_budget = qMin(m_budget + whole, qMax<qint64>(1, m_response.bytesPerSecond / 10));
            pump();
        });
    }

    ~Connection() override
    {
        QMutexLocker lock(&m_shared->mutex);
        --m_shared->openConnections;
    }

private:
    void nextRequest()
    {
        const int headEnd = m_in.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        TestHttpServer::Request request;
        const QList<QByteArray> lines = m_in.left(headEnd).split('\n');
        request.line = lines.value(0).trimmed();
        const QList<QByteArray> parts = request.line.split(' ');
        request.method = parts.value(0);
        request.target = parts.value(1);
        request.version = parts.value(2);
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
        }
        const qint64 bodyLength = request.header("Content-Length").toLongLong();
        if (m_in.size() < headEnd + 4 + bodyLength)
            return; // the body is still on its way
        request.body = m_in.mid(headEnd + 4, static_cast<int>(bodyLength));
        m_in.remove(0, headEnd + 4 + static_cast<int>(bodyLength));

        TestHttpServer::Handler handler;
        {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->requests.append(request);
            m_shared->requestArrived.wakeAll();
            handler = m_shared->handlers.value(request.path());
            if (!handler)
                handler = m_shared->handlers.value(QStringLiteral("*"));
        }
        if (handler) {
            m_response = handler(request);
        } else {
            m_response = TestHttpServer::Response();
            m_response.status = 404;
            m_response.body = "not found\n";
        }
        m_busy = true;
        // Only an answer whose end the client can tell leaves the connection for the next request.
        m_keepAlive = request.version == "HTTP/1.1" && request.header("Connection").toLower() != "close"
                      && m_response.sendContentLength && !m_response.chunked && m_response.announcedLength < 0
                      && m_response.generatedBytes != TestHttpServer::kEndless;
        m_head = request.method == "HEAD";
        prepareBody(request);

        if (m_response.dropBeforeHeaders) {
            m_socket->disconnectFromHost();
            return;
        }
        if (m_response.headerDelayMs < 0)
            return; // silent for good; the connection stays open
        if (m_response.headerDelayMs > 0)
            QTimer::singleShot(m_response.headerDelayMs, this, [this] { sendHeaders(); });
        else
            sendHeaders();
    }

    void prepareBody(const TestHttpServer::Request &request)
    {
        m_file.close();
        qint64 size = m_response.body.size();
        const bool endless = m_response.generatedBytes == TestHttpServer::kEndless;
        if (endless)
            size = std::numeric_limits<qint64>::max();
        else if (m_response.generatedBytes >= 0)
            size = m_response.generatedBytes;
        else if (!m_response.file.isEmpty()) {
            m_file.setFileName(m_response.file);
            size = m_file.open(QIODevice::ReadOnly) ? m_file.size() : 0;
        }
        m_pos = 0;
        m_end = size;
        m_sent = 0;
        m_stalled = false;
        m_stallDone = false;
        m_budget = 0;
        m_credit = 0;
        m_status = m_response.status;
        m_extraHeaders.clear();

        const QByteArray range = request.header("Range").trimmed();
        if (m_status == 200 && m_response.honourRange && !endless && range.startsWith("bytes=")
            && !range.contains(',')) {
            const QByteArray rangeText = range.mid(6);
            const int dash = rangeText.indexOf('-');
            bool okFrom = false;
            const qint64 from = rangeText.left(dash).toLongLong(&okFrom);
            bool okTo = false;
            qint64 to = rangeText.mid(dash + 1).toLongLong(&okTo);
            if (!okTo)
                to = size - 1;
            if (dash > 0 && okFrom) {
                if (from >= size || to < from) {
                    m_status = 416;
                    m_extraHeaders.append({"Content-Range", "bytes */" + QByteArray::number(size)});
                    m_pos = m_end = 0;
                } else {
                    to = qMin(to, size - 1);
                    m_status = 206;
                    m_extraHeaders.append({"Content-Range", "bytes " + QByteArray::number(from) + '-'
                                                                + QByteArray::number(to) + '/' + QByteArray::number(size)});
                    m_pos = from;
                    m_end = to + 1;
                }
            }
        }
    }

    void sendHeaders()
    {
        if (m_socket->state() != QAbstractSocket::ConnectedState)
            return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(m_status) + ' ' + reasonPhrase(m_status) + "\r\n";
        if (m_response.chunked)
            head += "Transfer-Encoding: chunked\r\n";
        else if (m_response.sendContentLength)
            head += "Content-Length: "
                    + QByteArray::number(m_response.announcedLength >= 0 ? m_response.announcedLength : m_end - m_pos)
                    + "\r\n";
        for (const auto &h : m_extraHeaders)
            head += h.first + ": " + h.second + "\r\n";
        for (const auto &h : m_response.headers)
            head += h.first + ": " + h.second + "\r\n";
        head += m_keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
        head += "\r\n";
        m_socket->write(head);
        m_sending = true;
        if (m_head)
            m_pos = m_end;
        if (m_response.bytesPerSecond > 0) {
            m_budget = qMax<qint64>(1, m_response.bytesPerSecond * kThrottleTickMs / 1000);
            m_throttle.start();
        }
        pump();
    }

    void pump()
    {
        if (!m_sending || m_stalled)
            return;
        while (m_pos < m_end) {
            if (m_socket->bytesToWrite() >= kHighWater)
                return; // bytesWritten brings us back
            qint64 room = m_end - m_pos;
            if (m_response.stallAtByte >= 0 && !m_stallDone) {
                const qint64 left = m_response.stallAtByte - m_sent;
                if (left <= 0) {
                    m_stalled = true;
                    m_stallDone = true;
                    if (m_response.stallMs >= 0)
                        QTimer::singleShot(m_response.stallMs, this, [this] {
                            m_stalled = false;
                            pump();
                        });
                    return;
                }
                room = qMin(room, left);
            }
            if (m_response.dropAtByte >= 0) {
                const qint64 left = m_response.dropAtByte - m_sent;
                if (left <= 0) {
                    drop();
                    return;
                }
                room = qMin(room, left);
            }
            if (m_response.chunked && m_response.breakChunksAtByte >= 0) {
                const qint64 left = m_response.breakChunksAtByte - m_sent;
                if (left <= 0) {
                    breakChunks();
                    return;
                }
                room = qMin(room, left);
            }
            if (throttled()) {
                if (m_budget <= 0)
                    return; // the throttle's tick brings us back
                room = qMin(room, m_budget);
            }
            const qint64 n = qMin(room, kChunk);
            QByteArray chunk;
            if (m_response.generatedBytes != -1) {
                chunk = TestHttpServer::generatedBody(m_pos, n);
            } else if (m_file.isOpen()) {
                m_file.seek(m_pos);
                chunk = m_file.read(n);
                if (chunk.isEmpty()) {
                    drop();
                    return;
                }
            } else {
                chunk = m_response.body.mid(static_cast<int>(m_pos), static_cast<int>(n));
            }
            if (m_response.chunked)
                m_socket->write(QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n");
            else
                m_socket->write(chunk);
            {
                QMutexLocker lock(&m_shared->mutex);
                m_shared->bodyBytesSent += chunk.size();
            }
            m_pos += chunk.size();
            m_sent += chunk.size();
            m_budget -= chunk.size();
        }
        if (m_response.dropAtByte >= 0 && m_sent >= m_response.dropAtByte) {
            drop();
            return;
        }
        finishResponse();
    }

    bool throttled() const
    {
        return m_response.bytesPerSecond > 0 && (!m_response.throttleWhile || *m_response.throttleWhile);
    }

    // What a broken proxy or server sends: a size line that is no number,
    // then the rest of the body as it is.
    void breakChunks()
    {
        const QByteArray rest = m_response.body.mid(static_cast<int>(m_pos));
        m_socket->write("zz\r\n" + rest);
        {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->bodyBytesSent += rest.size();
        }
        m_pos = m_end;
        drop();
    }

    void drop()
    {
        m_sending = false;
        m_throttle.stop();
        m_socket->disconnectFromHost();
    }

    void finishResponse()
    {
        if (m_response.chunked)
            m_socket->write("0\r\n\r\n");
        m_sending = false;
        m_throttle.stop();
        m_file.close();
        m_busy = false;
        if (!m_keepAlive) {
            m_socket->disconnectFromHost();
            return;
        }
        nextRequest();
    }

    QTcpSocket *m_socket;
    std::shared_ptr<TestHttpServer::Shared> m_shared;
    QByteArray m_in;
    bool m_busy = false;
    bool m_sending = false;
    bool m_keepAlive = true;
    bool m_head = false;
    TestHttpServer::Response m_response;
    int m_status = 200;
    QList<QPair<QByteArray, QByteArray>> m_extraHeaders;
    QFile m_file;
    qint64 m_pos = 0;
    qint64 m_end = 0;
    qint64 m_sent = 0;
    bool m_stalled = false;
    bool m_stallDone = false;
    qint64 m_budget = 0;
    qint64 m_credit = 0;
    QTimer m_throttle;
};

} // namespace

class TestHttpServer::Listener : public QTcpServer
{
public:
    explicit Listener(std::shared_ptr<Shared> shared)
        : m_shared(std::move(shared))
    {
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        QTcpSocket *socket = nullptr;
        if (m_shared->tls) {
            auto *ssl = new QSslSocket;
            if (!ssl->setSocketDescriptor(descriptor)) {
                delete ssl;
                return;
            }
            ssl->setLocalCertificate(m_shared->certificate);
            ssl->setPrivateKey(m_shared->key);
            ssl->setPeerVerifyMode(QSslSocket::VerifyNone);
            ssl->startServerEncryption();
            socket = ssl;
        } else {
            socket = new QTcpSocket;
            if (!socket->setSocketDescriptor(descriptor)) {
                delete socket;
                return;
            }
        }
        // A client that rejects the certificate or vanishes just ends the connection.
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
        connect(socket, &QAbstractSocket::errorOccurred, socket, [socket] { socket->abort(); });
#else
        connect(socket, QOverload<QAbstractSocket::SocketError>::of(&QAbstractSocket::error), socket,
                [socket] { socket->abort(); });
#endif
        new Connection(socket, m_shared, this);
    }

private:
    std::shared_ptr<Shared> m_shared;
};

QString TestHttpServer::Request::path() const
{
    const int query = target.indexOf('?');
    return QUrl::fromPercentEncoding(query < 0 ? target : target.left(query));
}

bool TestHttpServer::Request::hasHeader(const QByteArray &name) const
{
    for (const auto &h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QByteArray TestHttpServer::Request::header(const QByteArray &name) const
{
    for (const auto &h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return QByteArray();
}

TestHttpServer::TestHttpServer(Mode mode, quint16 port)
    : m_shared(std::make_shared<Shared>())
{
    if (mode == Tls) {
        m_authority = std::make_unique<TestCertificateAuthority>();
        if (!m_authority->isValid()) {
            m_error = m_authority->error();
            return;
        }
        m_shared->tls = true;
        m_shared->certificate = m_authority->serverCertificate();
        m_shared->key = m_authority->serverKey();
    }
    m_thread.setObjectName(QStringLiteral("TestHttpServer"));
    m_thread.start();
    m_listener = new Listener(m_shared);
    m_listener->moveToThread(&m_thread);
    QMetaObject::invokeMethod(
        m_listener,
        [this, port] {
            if (m_listener->listen(QHostAddress::LocalHost, port))
                m_port = m_listener->serverPort();
            else
                m_error = m_listener->errorString();
        },
        Qt::BlockingQueuedConnection);
}

TestHttpServer::~TestHttpServer()
{
    if (m_listener) {
        Listener *listener = m_listener;
        QMetaObject::invokeMethod(listener, [listener] { delete listener; }, Qt::BlockingQueuedConnection);
        m_listener = nullptr;
    }
    m_thread.quit();
    m_thread.wait();
}

bool TestHttpServer::isListening() const
{
    return m_port != 0;
}

quint16 TestHttpServer::port() const
{
    return m_port;
}

QUrl TestHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                    .arg(m_shared->tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(m_port)
                    .arg(path));
}

void TestHttpServer::setResponse(const QString &path, const Response &response)
{
    setHandler(path, [response](const Request &) { return response; });
}

void TestHttpServer::setHandler(const QString &path, Handler handler)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->handlers.insert(path, std::move(handler));
}

void TestHttpServer::setFile(const QString &path, const QByteArray &contents)
{
    Response response;
    response.body = contents;
    setResponse(path, response);
}

void TestHttpServer::setRedirect(const QString &path, const QString &location, int status)
{
    Response response;
    response.status = status;
    response.body = "moved\n";
    response.headers.append({"Location", location.toUtf8()});
    setResponse(path, response);
}

void TestHttpServer::remove(const QString &path)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->handlers.remove(path);
}

QByteArray TestHttpServer::generatedBody(qint64 offset, qint64 size)
{
    QByteArray bytes;
    bytes.reserve(static_cast<int>(size));
    while (bytes.size() < size) {
        const int at = static_cast<int>(offset % kPatternSize);
        const int n = static_cast<int>(qMin<qint64>(size - bytes.size(), kPatternSize - at));
        bytes.append(pattern().constData() + at, n);
        offset += n;
    }
    return bytes;
}

qint64 TestHttpServer::bodyBytesSent() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->bodyBytesSent;
}

int TestHttpServer::openConnections() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->openConnections;
}

QList<TestHttpServer::Request> TestHttpServer::requests() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->requests;
}

QList<TestHttpServer::Request> TestHttpServer::requests(const QString &path) const
{
    QList<Request> matching;
    for (const Request &request : requests())
        if (request.path() == path)
            matching.append(request);
    return matching;
}

void TestHttpServer::clearRequests()
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->requests.clear();
}

bool TestHttpServer::waitForRequests(int count, int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        {
            QMutexLocker lock(&m_shared->mutex);
            if (m_shared->requests.size() >= count)
                return true;
            if (timer.elapsed() >= timeoutMs)
                return false;
            m_shared->requestArrived.wait(&m_shared->mutex, 5);
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}
