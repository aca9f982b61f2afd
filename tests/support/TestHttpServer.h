#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QThread>
#include <QUrl>
#include <functional>
#include <memory>

class TestCertificateAuthority;

// A small HTTP/1.1 server on 127.0.0.1 (a free port) for tests, the demo and the
// benchmarks. It runs on its own thread, so it keeps answering while the test's
// thread blocks (a child process, a synchronous transfer, a modal dialog).
//
//   TestHttpServer server;                       // or TestHttpServer(TestHttpServer::Tls)
//   server.setFile("/list.xml", bytes);          // 200, Content-Length, Range -> 206
//   TestHttpServer::Response slow;
//   slow.body = bytes; slow.bytesPerSecond = 100000; slow.stallAtByte = 5000;
//   server.setResponse("/slow", slow);
//   ... server.url("/slow") ...
//   server.requests("/slow").first().header("Range")
//
// Paths are matched without the query; "*" answers every path without its own
// response; anything else gets 404. Every request is recorded, line and headers.
class TestHttpServer
{
public:
    struct Request
    {
        QByteArray line;    // "GET /a?b HTTP/1.1"
        QByteArray method;
        QByteArray target;  // as sent, query included
        QByteArray version;
        QList<QPair<QByteArray, QByteArray>> headers; // in order, names as sent
        QByteArray body;

        QString path() const;                                // target without the query, decoded
        bool hasHeader(const QByteArray &name) const;       // names compare case-insensitively
        QByteArray header(const QByteArray &name) const;    // empty when absent
    };

    struct Response
    {
        int status = 200;
        QByteArray body;          // the contents ...
        QString file;             // ... or a file on disk, streamed (for large files)
        QList<QPair<QByteArray, QByteArray>> headers; // extra headers ("Location", "Content-Type" ...)

        // On a 200 answer: a "Range: bytes=a-" or "bytes=a-b" request gets 206 with
        // Content-Range (416 past the end). False: the Range is ignored, 200 with all.
        bool honourRange = true;
        // False: no Content-Length; the end of the body is the end of the connection.
        bool sendContentLength = true;

        qint64 bytesPerSecond = 0; // throttle the body; 0: as fast as the socket goes
        int headerDelayMs = 0;     // wait before the headers; -1: never answer (connection stays open)
        qint64 stallAtByte = -1;   // after this many body bytes, go silent ...
        int stallMs = -1;          // ... for this long (-1: for good), then go on
        qint64 dropAtByte = -1;    // after this many body bytes, close the connection (0: right after the headers)
        bool dropBeforeHeaders = false; // close the connection without answering
    };

    // Runs on the server's thread; must not touch the test's objects without locking.
    using Handler = std::function<Response(const Request &)>;

    enum Mode { Plain, Tls };

    // port 0: any free port.
    explicit TestHttpServer(Mode mode = Plain, quint16 port = 0);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer &) = delete;
    TestHttpServer &operator=(const TestHttpServer &) = delete;

    bool isListening() const;
    quint16 port() const;
    // "http://127.0.0.1:<port><path>" ("https://" in TLS mode).
    QUrl url(const QString &path) const;
    QString urlString(const QString &path) const { return url(path).toString(); }

    void setResponse(const QString &path, const Response &response);
    void setHandler(const QString &path, Handler handler);
    void setFile(const QString &path, const QByteArray &contents);
    void setRedirect(const QString &path, const QString &location, int status = 302);
    void remove(const QString &path);

    QList<Request> requests() const;
    QList<Request> requests(const QString &path) const;
    void clearRequests();
    // Connections the server holds open now (a client that stops its transfer closes its own).
    int openConnections() const;
    // Waits, running this thread's events, until at least count requests arrived.
    bool waitForRequests(int count, int timeoutMs = 20000) const;

    // TLS mode only: the authority that signed the server's certificate (null otherwise).
    const TestCertificateAuthority *authority() const { return m_authority.get(); }

    // Why the server is not listening, if it is not.
    QString error() const { return m_error; }

    struct Shared;
    class Listener;

private:
    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<TestCertificateAuthority> m_authority;
    QThread m_thread;
    Listener *m_listener = nullptr;
    quint16 m_port = 0;
    QString m_error;
};
