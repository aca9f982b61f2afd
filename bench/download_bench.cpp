// Throughput and memory of the HTTP transfer against curl, on loopback.
//
// Downloads one large file (512 MB by default; ORBEL_BENCH_MB changes it) with
// QHttpDownLoadS and with curl, from the project's test server and from nginx
// (Debian's nginx-light, started here with its own configuration on a free port),
// several rounds each, and prints the best throughput of each, the ratio to curl
// and how much the downloader's peak memory grew during its transfers.
// Targets: at least 0.8x curl's throughput; less than 32 MB of growth.
//
// Needs curl and nginx (apt-get install curl nginx-light); a missing one is skipped
// with a note.

#include "QHttpDownLoadS.h"
#include "TestHttpServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHostAddress>
#include <QTcpSocket>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <memory>

namespace {

const int kRounds = 3;

qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(static_cast<int>(qstrlen(field))).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Lets the kernel's peak resident size start again from the current size.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

bool makeFile(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(1 << 20, Qt::Uninitialized);
    quint32 x = 88172645u;
    for (int i = 0; i < block.size(); ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        block[i] = static_cast<char>(x);
    }
    for (qint64 done = 0; done < size; done += block.size())
        if (file.write(block.constData(), qMin<qint64>(block.size(), size - done)) < 0)
            return false;
    return true;
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

struct Result
{
    double bestSeconds = 0;
    qint64 peakGrowthKb = 0;
    bool ok = false;
};

Result runDownloader(const QString &url, const QString &target, qint64 size)
{
    Result result;
    // One small transfer first: loading the network and TLS libraries is a one-off
    // cost of the process, not memory that grows with the download.
    {
        QHttpDownLoadS warmUp(nullptr, nullptr, nullptr, nullptr);
        QUrl small(url);
        small.setPath(QStringLiteral("/small.bin"));
        if (warmUp.setUrlAndFilePath(small, target))
            warmUp.startDownLoads(true);
    }
    for (int round = 0; round < kRounds; ++round) {
        QFile::remove(target);
        const qint64 before = statusKb("VmRSS:");
        resetPeak();
        QElapsedTimer timer;
        timer.start();
        bool finished = false;
        {
            QHttpDownLoadS downloader(nullptr, nullptr, nullptr, nullptr);
            QObject::connect(&downloader, &QHttpDownLoadS::oneDownLoadFinish, [&finished] { finished = true; });
            if (!downloader.setUrlAndFilePath(QUrl(url), target) || !downloader.startDownLoads(true))
                return result;
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        result.peakGrowthKb = qMax(result.peakGrowthKb, statusKb("VmHWM:") - before);
        if (!finished || QFileInfo(target).size() != size) {
            std::fprintf(stderr, "  downloader failed on %s\n", qPrintable(url));
            return result;
        }
        if (round == 0 || seconds < result.bestSeconds)
            result.bestSeconds = seconds;
    }
    result.ok = true;
    return result;
}

Result runCurl(const QString &curl, const QString &url, const QString &target, qint64 size)
{
    Result result;
    for (int round = 0; round < kRounds; ++round) {
        QFile::remove(target);
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(curl, {QStringLiteral("-s"), QStringLiteral("-f"), QStringLiteral("-o"), target, url});
        // Keep this thread's events going: the test server's thread does not need
        // them, but a blocking wait here is all the same to curl.
        if (!process.waitForFinished(600000) || process.exitCode() != 0 || QFileInfo(target).size() != size) {
            std::fprintf(stderr, "  curl failed on %s: %s\n", qPrintable(url), process.readAllStandardError().constData());
            return result;
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (round == 0 || seconds < result.bestSeconds)
            result.bestSeconds = seconds;
    }
    result.ok = true;
    return result;
}

// nginx in the foreground, one process, everything under dir.
std::unique_ptr<QProcess> startNginx(const QString &nginx, const QString &dir, const QString &root, quint16 port)
{
    const QString conf = dir + QStringLiteral("/nginx.conf");
    QFile file(conf);
    if (!file.open(QIODevice::WriteOnly))
        return nullptr;
    const QString text = QStringLiteral(
                             "daemon off;\nmaster_process off;\nworker_processes 1;\npid %1/nginx.pid;\n"
                             "error_log %1/error.log;\nevents { worker_connections 64; }\n"
                             "http {\n  access_log off;\n  sendfile on;\n  tcp_nopush on;\n"
                             "  client_body_temp_path %1/body;\n  proxy_temp_path %1/proxy;\n"
                             "  fastcgi_temp_path %1/fastcgi;\n  uwsgi_temp_path %1/uwsgi;\n  scgi_temp_path %1/scgi;\n"
                             "  server {\n    listen 127.0.0.1:%2;\n    root %3;\n  }\n}\n")
                             .arg(dir)
                             .arg(port)
                             .arg(root);
    file.write(text.toUtf8());
    file.close();
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(nginx, {QStringLiteral("-e"), dir + QStringLiteral("/error.log"), QStringLiteral("-p"), dir,
                           QStringLiteral("-c"), conf});
    if (!process->waitForStarted(5000))
        return nullptr;
    // Ready when it accepts connections.
    for (int i = 0; i < 100; ++i) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (socket.waitForConnected(100))
            return process;
        QThread::msleep(50);
    }
    process->kill();
    process->waitForFinished();
    return nullptr;
}

void report(const char *server, const Result &ours, const Result &curl, qint64 size)
{
    if (!ours.ok || !curl.ok) {
        std::printf("%-12s  skipped (a transfer failed)\n", server);
        return;
    }
    const double mb = size / 1048576.0;
    std::printf("%-12s  downloader %8.1f MB/s   curl %8.1f MB/s   ratio %.2fx (target >= 0.80)   "
                "peak memory growth %.1f MB (target < 32)\n",
                server, mb / ours.bestSeconds, mb / curl.bestSeconds, curl.bestSeconds / ours.bestSeconds,
                ours.peakGrowthKb / 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The transfer's debug lines would only measure the terminal.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    bool okMb = false;
    qint64 megabytes = qEnvironmentVariable("ORBEL_BENCH_MB").toLongLong(&okMb);
    if (!okMb || megabytes <= 0)
        megabytes = 512;
    const qint64 size = megabytes * 1024 * 1024;

    QTemporaryDir dir;
    const QString www = dir.path() + QStringLiteral("/www");
    QDir().mkpath(www);
    const QString source = www + QStringLiteral("/big.bin");
    const QString target = dir.path() + QStringLiteral("/downloaded.bin");
    std::printf("download benchmark: %lld MB file, best of %d rounds, loopback\n", megabytes, kRounds);
    if (!makeFile(source, size) || !makeFile(www + QStringLiteral("/small.bin"), 4096)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(source));
        return 1;
    }

    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty()) {
        std::printf("curl not found (apt-get install curl): nothing to compare with\n");
        return 1;
    }

    {
        TestHttpServer server;
        TestHttpServer::Response big;
        big.file = source;
        server.setResponse(QStringLiteral("/big.bin"), big);
        big.file = www + QStringLiteral("/small.bin");
        server.setResponse(QStringLiteral("/small.bin"), big);
        const QString url = server.urlString(QStringLiteral("/big.bin"));
        const Result curlResult = runCurl(curl, url, target, size);
        const Result ours = runDownloader(url, target, size);
        report("test server", ours, curlResult, size);
    }

    QString nginx = QStandardPaths::findExecutable(QStringLiteral("nginx"));
    if (nginx.isEmpty())
        nginx = QStandardPaths::findExecutable(QStringLiteral("nginx"), {QStringLiteral("/usr/sbin")});
    if (nginx.isEmpty()) {
        std::printf("nginx        skipped: not installed (apt-get install nginx-light)\n");
    } else {
        const QString nginxDir = dir.path() + QStringLiteral("/nginx");
        QDir().mkpath(nginxDir);
        const quint16 port = freePort();
        auto process = startNginx(nginx, nginxDir, www, port);
        if (!process) {
            std::printf("nginx        skipped: it did not start\n");
        } else {
            const QString url = QStringLiteral("http://127.0.0.1:%1/big.bin").arg(port);
            const Result curlResult = runCurl(curl, url, target, size);
            const Result ours = runDownloader(url, target, size);
            report("nginx", ours, curlResult, size);
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished();
            }
        }
    }
    QFile::remove(target);
    return 0;
}
