#include "QHttpDownLoadS.h"

#include "HttpReplyHeaders.h"

#include "CUP_Log.h"
#include "Waits.h"

#include <QDebug>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QTimer>
#include <QTimerEvent>

namespace {

// How much of a reply Qt may hold before we write it out: keeps memory flat
// whatever the size of the file.
const qint64 kReadBufferSize = 4 * 1024 * 1024;

// Any real link keeps far more than this within a stall period; a server that
// trickles less holds the transfer open for nothing.
const qint64 kStallMinimumBytes = 1024;

// A refused answer's body (an error page) is read so that the reply can report
// its error; one longer than this is not an error page.
const qint64 kMaxDiscardedBytes = 64 * 1024;

QString seconds(int ms)
{
    return QString::number(ms / 1000.0, 'g', 3);
}

// The start of a "Content-Range: bytes a-b/n" answer and its complete length
// (-1 for "*"); false when the header is not of that form.
bool parseContentRange(const QByteArray &value, qint64 *start, qint64 *complete)
{
    const QByteArray text = value.trimmed();
    if (!text.startsWith("bytes "))
        return false;
    const QByteArray rangeText = text.mid(6).trimmed();
    const int dash = rangeText.indexOf('-');
    const int slash = rangeText.indexOf('/');
    if (dash <= 0 || slash <= dash)
        return false;
    bool ok = false;
    *start = rangeText.left(dash).toLongLong(&ok);
    if (!ok)
        return false;
    const QByteArray length = rangeText.mid(slash + 1);
    if (length == "*") {
        *complete = -1;
        return true;
    }
    *complete = length.toLongLong(&ok);
    return ok;
}

} // namespace

QHttpDownLoadS::QHttpDownLoadS(QObject *parent, QProgressBar *, QLabel *, qint64 *resumePosition)
    : QObject(parent)
    , m_pManager(new QNetworkAccessManager(this))
    , m_pResumePosition(resumePosition)
{
}

QHttpDownLoadS::~QHttpDownLoadS()
{
    abandon();
    delete m_pManager;
    m_pManager = nullptr;
}

bool QHttpDownLoadS::setUrlAndFilePath(QUrl url, QString filePath)
{
    if (!url.isValid() || url.path(QUrl::FullyDecoded).isEmpty() || filePath.isEmpty())
        return false;
    const QString scheme = url.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("file")) {
        CUP_Log::PrintLog(QStringLiteral("Download refused: %1: only http, https and local files are fetched")
                              .arg(url.toString()));
        return false;
    }
    m_url = url;
    m_strFilePath = filePath;
    if (QFile::exists(filePath)) {
        if (m_bUseLockFile) {
            // Another process downloading the same file holds this lock.
            QLockFile lock(filePath + QStringLiteral(".tmp"));
            if (!lock.tryLock(0))
                return false;
            lock.unlock();
        }
        QFile::remove(filePath);
    }
    return true;
}

bool QHttpDownLoadS::startDownLoads(bool synchronous)
{
    // A new start replaces whatever an earlier one left behind.
    dropTransfer();
    m_strFailure.clear();
    m_bFailedOnDisk = false;

    if (m_bUseLockFile) {
        m_pLockFile = new QLockFile(m_strFilePath + QStringLiteral(".tmp"));
        if (!m_pLockFile->tryLock(0)) {
            delete m_pLockFile;
            m_pLockFile = nullptr;
            m_strFailure = QStringLiteral("refused: another process is downloading %1").arg(m_strFilePath);
            return false;
        }
    }

    m_pFile = new QFile(m_strFilePath);
    // Unbuffered: a write that fails (a full disk) is seen at once, not at the next flush.
    if (!m_pFile->open(QIODevice::Append | QIODevice::Unbuffered)) {
        qDebug().noquote() << "Error:Cannot open file: " << m_strFilePath;
        noteDiskFailure(QStringLiteral("cannot open %1 (%2)").arg(m_strFilePath, m_pFile->errorString()));
        delete m_pFile;
        m_pFile = nullptr;
        releaseLock();
        return false;
    }

    // The file must end exactly where the asked-for range begins, or the two parts
    // would not join: ask from what is really on disk, never past it.
    m_nBase = 0;
    if (m_pResumePosition) {
        m_nBase = qBound<qint64>(0, *m_pResumePosition, m_pFile->size());
        if (m_pFile->size() != m_nBase)
            m_pFile->resize(m_nBase);
        *m_pResumePosition = m_nBase;
        m_pFile->seek(m_nBase);
    } else if (m_pFile->size() != 0) {
        // No Range is asked for, so the whole body comes again.
        m_pFile->resize(0);
    }
    m_nReceivedBytes = m_nBase;
    m_eReplyState = ReplyUndecided;
    m_nDiscarded = 0;
    m_bResponseSeen = false;
    m_bVerdictGiven = false;
    m_bRunning = true;

    QNetworkRequest request(m_url);
    qDebug().noquote() << "url:" << m_url.toString();
    if (m_bFollowRedirects)
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // The verdict counts the bytes on disk against the announced length, so the
    // body must arrive as stored, not re-encoded for the trip.
    request.setRawHeader("Accept-Encoding", "identity");
    m_bRangeSent = m_pResumePosition != nullptr;
    if (m_bRangeSent)
        request.setRawHeader("Range", QStringLiteral("bytes=%1-").arg(m_nBase).toLatin1());

    m_pReply = m_pManager->get(request);
    m_pReply->setReadBufferSize(kReadBufferSize);
    connect(m_pReply, &QNetworkReply::readyRead, this, &QHttpDownLoadS::readyRead);
    connect(m_pReply, &QNetworkReply::downloadProgress, this, &QHttpDownLoadS::downloadProgress);
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    connect(m_pReply, &QNetworkReply::errorOccurred, this, &QHttpDownLoadS::slotError);
#else
    connect(m_pReply, QOverload<QNetworkReply::NetworkError>::of(&QNetworkReply::error), this,
            &QHttpDownLoadS::slotError);
#endif
    connect(m_pReply, &QNetworkReply::finished, this, &QHttpDownLoadS::replyFinished);
    // Headers are an answer, but not progress: only kept bytes feed the stall watchdog.
    connect(m_pReply, &QNetworkReply::metaDataChanged, this, [this] { m_bResponseSeen = true; });

    startWatchdogs();

    if (synchronous) {
        QPointer<QHttpDownLoadS> self(this);
        QEventLoop loop;
        m_pLoop = &loop;
        if (!m_bVerdictGiven && m_bRunning)
            loop.exec();
        if (!self)
            return true;
        m_pLoop = nullptr;
    }
    return true;
}

void QHttpDownLoadS::pauseDownloads()
{
    if (!m_pReply)
        return;
    detachReply(true);
    closeTarget();
    if (m_pResumePosition) {
        const QFileInfo info(m_strFilePath);
        *m_pResumePosition = info.exists() ? info.size() : 0;
    }
    m_bRunning = false;
    // A paused transfer makes no progress by choice: that is not a stall.
    stopWatchdogs();
    if (m_pLoop)
        m_pLoop->quit();
}

void QHttpDownLoadS::continueDownload()
{
    if (!m_bRunning) {
        m_bRunning = true;
        // A resume that cannot even start still owes its caller a verdict.
        if (!startDownLoads(false))
            giveVerdict(false);
    }
}

void QHttpDownLoadS::stopDownLoads()
{
    if (m_pManager && m_pReply)
        m_pReply->abort();
}

void QHttpDownLoadS::abandon()
{
    const bool unfinished = !m_bVerdictGiven && m_pFile;
    dropTransfer();
    m_bVerdictGiven = true;
    m_bRunning = true; // nothing left for a continue to take up
    if (unfinished) {
        CUP_Log::PrintLog(QStringLiteral("Download cancelled: %1 from %2")
                              .arg(QFileInfo(m_strFilePath).fileName(), m_url.toString()));
        // Part of a file is of no use to anyone: the next attempt starts afresh.
        QFile::remove(m_strFilePath);
        if (m_pResumePosition)
            *m_pResumePosition = 0;
    }
    if (m_pLoop)
        m_pLoop->quit();
}

void QHttpDownLoadS::downloadProgress(qlonglong bytesReceived, qlonglong bytesTotal)
{
    CUP_Log::PrintLog(QStringLiteral("downloadProgress bytesReceived:%1, bytesTotal:%2")
                          .arg(bytesReceived)
                          .arg(bytesTotal));
    m_bResponseSeen = true;
    if (m_eReplyState == ReplyRejected)
        return;

    // The size the caller knows is the whole; else what the server announced. For
    // an answer to a Range, Qt's total is the rest only; the whole stays the reference.
    const qint64 received = m_nBase + bytesReceived;
    qint64 total = m_nExpectedSize;
    if (total <= 0)
        total = m_nTotalBytes > 0 ? m_nTotalBytes : (bytesTotal > 0 ? m_nBase + bytesTotal : 0);
    if (total <= 0)
        return; // nothing to measure a body without a length against
    const QString name = m_strFilePath.mid(m_strFilePath.lastIndexOf(QLatin1Char('/')) + 1);
    const double percent = static_cast<double>(received) / static_cast<double>(total) * 100.0;
    CUP_Log::PrintLog(QStringLiteral("Downloading ") + name + QStringLiteral(":")
                      + QStringLiteral("%1 of %2 = %3%")
                            .arg(received)
                            .arg(total)
                            .arg(QString::number(percent, 'g', QLocale::FloatingPointShortest)));
    emit signal_updateProgress(received, total);
}

void QHttpDownLoadS::slotError(QNetworkReply::NetworkError errorCode)
{
    if (sender() != m_pReply || m_bVerdictGiven)
        return;
    qDebug().noquote() << "error:" << QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(errorCode);
    // The verdict follows when the reply reports finished.
    emit error_network();
}

void QHttpDownLoadS::readyRead()
{
    if (!m_pReply || m_bVerdictGiven)
        return;
    m_bResponseSeen = true;
    if (m_eReplyState == ReplyUndecided)
        acceptOrRejectReply();
    if (!m_pReply || m_bVerdictGiven)
        return;
    const QByteArray data = m_pReply->readAll();
    if (data.isEmpty())
        return;
    if (m_eReplyState != ReplyAccepted) {
        // An error page or a redirect body is not the file: it never reaches it.
        m_nDiscarded += data.size();
        if (m_nDiscarded > kMaxDiscardedBytes)
            fail(m_strFailure);
        return;
    }
    if (data.size() > bound() - m_nReceivedBytes) {
        fail(QStringLiteral("size exceeded: the server sent more than the %1 bytes %2")
                 .arg(bound())
                 .arg(m_nTotalBytes >= 0 ? QStringLiteral("it announced") : QStringLiteral("expected")));
        return;
    }
    if (!keep(data)) {
        noteDiskFailure(QStringLiteral("cannot store %1 (%2). Free some disk space and try again.")
                            .arg(m_strFilePath, m_pFile ? m_pFile->errorString() : QString()));
        fail(m_strFailure);
        return;
    }
    m_nReceivedBytes += data.size();
    noteKept();
}

void QHttpDownLoadS::replyFinished()
{
    QNetworkReply *reply = qobject_cast<QNetworkReply *>(sender());
    if (reply && reply != m_pReply)
        return; // a reply that was replaced or given up on has no say any more
    qDebug().noquote() << "replyFinished()";
    m_bResponseSeen = true;
    if (!m_pReply || m_bVerdictGiven)
        return;

    readyRead();
    if (m_eReplyState == ReplyUndecided)
        acceptOrRejectReply();
    if (!m_pReply || m_bVerdictGiven)
        return;

    const QNetworkReply::NetworkError error = m_pReply->error();
    // A body without a length is whole when it ends, unless the caller knows better.
    const qint64 whole = m_nExpectedSize > 0 ? m_nExpectedSize : m_nTotalBytes;
    bool success = error == QNetworkReply::NoError && m_eReplyState == ReplyAccepted
                   && (whole < 0 || m_nReceivedBytes == whole);
    if (success && m_wholeCheck) {
        closeTarget();
        const QString why = m_wholeCheck(m_strFilePath);
        if (!why.isEmpty()) {
            m_strFailure = why;
            success = false;
        }
    }
    if (!success) {
        CUP_Log::PrintLog(QStringLiteral("replyFinished bytesReceived:%1, bytesTotal:%2")
                              .arg(m_nReceivedBytes)
                              .arg(whole));
        // A connection closed before the whole file is a short body, whatever Qt makes of it.
        const bool cutShort = m_nReceivedBytes < whole
                              && (error == QNetworkReply::NoError || error == QNetworkReply::RemoteHostClosedError);
        if (m_strFailure.isEmpty() && (cutShort || error == QNetworkReply::NoError))
            m_strFailure = QStringLiteral("size mismatch: got %1 of %2 bytes").arg(m_nReceivedBytes).arg(whole);
        if (m_strFailure.isEmpty())
            m_strFailure = QStringLiteral("network error: %1. Check the network connection and try again.")
                               .arg(m_pReply->errorString());
    }
    detachReply(false);
    giveVerdict(success);
}

void QHttpDownLoadS::slotsHasHttpReponse()
{
    qDebug().noquote() << "slotsHasHttpReponse:" << (m_bResponseSeen ? "true" : "false");
    if (m_pNoResponseTimer)
        m_pNoResponseTimer->stop();
    if (m_bResponseSeen || m_bVerdictGiven || !m_bRunning)
        return;
    // Nothing came back at all: that is a failed transfer, not an empty file.
    fail(QStringLiteral("no answer: the server did not answer within %1 seconds. Check the network connection "
                        "and try again.")
             .arg(seconds(Waits::ms(Waits::TransferNoResponse))));
}

void QHttpDownLoadS::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_nStallTimerId) {
        QObject::timerEvent(event);
        return;
    }
    if (m_bVerdictGiven || !m_bRunning)
        return;
    // The timer is re-aimed at the last progress, so the transfer fails only after
    // one whole period in which less than kStallMinimumBytes were kept.
    const int period = Waits::ms(Waits::TransferStall);
    const qint64 idle = m_lastProgress.elapsed();
    killTimer(m_nStallTimerId);
    m_nStallTimerId = -1;
    if (idle < period) {
        m_nStallTimerId = startTimer(static_cast<int>(period - idle), Qt::PreciseTimer);
        return;
    }
    qDebug().noquote() << "download stalled:" << m_strFilePath;
    fail(QStringLiteral("stalled: less than %1 bytes arrived within %2 seconds. Check the network connection and "
                        "try again.")
             .arg(kStallMinimumBytes)
             .arg(seconds(period)));
}

void QHttpDownLoadS::acceptOrRejectReply()
{
    if (!m_pReply)
        return;
    int status = m_pReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    qint64 length = ContentLengthOf(m_pReply);
    if (m_url.isLocalFile()) {
        // A package on a share: the whole file, like a 200 answer that ignores a Range.
        status = 200;
        length = QFileInfo(m_url.toLocalFile()).size();
    }

    m_eReplyState = ReplyRejected;
    qint64 complete = -1;
    if (status == 200) {
        // HTTP/1.1 lets a server leave the length out; only a size the caller knows can then hold the body.
        if (length < 0 && m_nExpectedSize <= 0 && m_nSizeLimit <= 0) {
            refuse(QStringLiteral("refused: the server did not announce the size of the file"));
            return;
        }
        complete = length;
    } else if (status == 206 && m_bRangeSent) {
        qint64 start = -1;
        if (!parseContentRange(LastHeaderValue(m_pReply, "Content-Range"), &start, &complete) || start != m_nBase) {
            refuse(QStringLiteral("refused: the server sent a part that does not continue the %1 bytes on disk")
                       .arg(m_nBase));
            return;
        }
        if (complete < 0)
            complete = length < 0 ? -1 : m_nBase + length;
        if (complete < 0 || (length >= 0 && m_nBase + length != complete)) {
            refuse(QStringLiteral("refused: the server's part does not add up to a whole file"));
            return;
        }
        // The first whole size stays the reference: a different one means the file
        // changed on the server and the parts would not belong together.
        if (m_nTotalBytes > 0 && complete != m_nTotalBytes) {
            refuse(QStringLiteral("refused: the file on the server changed from %1 to %2 bytes; download it again")
                       .arg(m_nTotalBytes)
                       .arg(complete));
            return;
        }
    } else if (status == 0) {
        // No answer at all: the reply's own error says why.
        refuse(QStringLiteral("network error: %1. Check the network connection and try again.")
                   .arg(m_pReply->errorString()));
        return;
    } else {
        refuse(QStringLiteral("refused: the server answered HTTP %1 %2")
                   .arg(status)
                   .arg(m_pReply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
        return;
    }

    const qint64 most = m_nExpectedSize > 0 ? m_nExpectedSize : m_nSizeLimit;
    if (most > 0 && complete > most) {
        fail(QStringLiteral("size exceeded: the server sends %1 bytes, more than the %2 expected")
                 .arg(complete)
                 .arg(most));
        return;
    }
    if (status == 200 && m_nBase > 0) {
        // The server ignored the Range and sends the whole file: start it again
        // instead of appending a second copy to the part we have.
        if (!m_pFile || !m_pFile->resize(0)) {
            noteDiskFailure(QStringLiteral("cannot start %1 again").arg(m_strFilePath));
            fail(m_strFailure);
            return;
        }
        m_nBase = 0;
        m_nReceivedBytes = 0;
        m_nProgressMark = 0;
        if (m_pResumePosition)
            *m_pResumePosition = 0;
    }
    m_nTotalBytes = complete;
    m_eReplyState = ReplyAccepted;
}

void QHttpDownLoadS::refuse(const QString &reason)
{
    m_eReplyState = ReplyRejected;
    if (m_strFailure.isEmpty())
        m_strFailure = reason;
}

void QHttpDownLoadS::noteDiskFailure(const QString &what)
{
    if (!m_strFailure.isEmpty())
        return;
    m_strFailure = QStringLiteral("disk full or not writable: ") + what;
    m_bFailedOnDisk = true;
}

qint64 QHttpDownLoadS::bound() const
{
    if (m_nTotalBytes >= 0)
        return m_nTotalBytes;
    return m_nExpectedSize > 0 ? m_nExpectedSize : m_nSizeLimit;
}

bool QHttpDownLoadS::keep(const QByteArray &data)
{
    if (!m_pFile || !m_pFile->isOpen())
        return false;
    // A short write is tried once more for the rest, which brings out why it failed.
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 n = m_pFile->write(data.constData() + written, data.size() - written);
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

void QHttpDownLoadS::noteKept()
{
    if (m_nReceivedBytes - m_nProgressMark < kStallMinimumBytes)
        return;
    m_nProgressMark = m_nReceivedBytes;
    m_lastProgress.restart();
}

void QHttpDownLoadS::startWatchdogs()
{
    stopWatchdogs();
    m_lastProgress.start();
    m_nProgressMark = m_nReceivedBytes;
    m_nStallTimerId = startTimer(Waits::ms(Waits::TransferStall), Qt::PreciseTimer);
    m_pNoResponseTimer = new QTimer(this);
    m_pNoResponseTimer->setSingleShot(true);
    connect(m_pNoResponseTimer, &QTimer::timeout, this, &QHttpDownLoadS::slotsHasHttpReponse);
    m_pNoResponseTimer->start(Waits::ms(Waits::TransferNoResponse));
}

void QHttpDownLoadS::stopWatchdogs()
{
    if (m_nStallTimerId >= 0) {
        killTimer(m_nStallTimerId);
        m_nStallTimerId = -1;
    }
    if (m_pNoResponseTimer) {
        m_pNoResponseTimer->stop();
        m_pNoResponseTimer->deleteLater();
        m_pNoResponseTimer = nullptr;
    }
}

void QHttpDownLoadS::releaseLock()
{
    if (!m_pLockFile)
        return;
    if (m_pLockFile->isLocked())
        m_pLockFile->unlock();
    delete m_pLockFile;
    m_pLockFile = nullptr;
}

void QHttpDownLoadS::closeTarget()
{
    if (m_pFile && m_pFile->isOpen())
        m_pFile->close();
}

void QHttpDownLoadS::dropTransfer()
{
    detachReply(true);
    stopWatchdogs();
    closeTarget();
    delete m_pFile;
    m_pFile = nullptr;
    releaseLock();
}

void QHttpDownLoadS::detachReply(bool abort)
{
    if (!m_pReply)
        return;
    QNetworkReply *reply = m_pReply;
    m_pReply = nullptr;
    // Cut loose first, so an abort brings no error or finish back to us.
    disconnect(reply, nullptr, this, nullptr);
    if (abort)
        reply->abort();
    reply->deleteLater();
}

void QHttpDownLoadS::fail(const QString &reason)
{
    if (m_strFailure.isEmpty())
        m_strFailure = reason;
    detachReply(true);
    giveVerdict(false);
}

void QHttpDownLoadS::giveVerdict(bool success)
{
    m_bVerdictGiven = true;
    stopWatchdogs();
    closeTarget();
    if (success) {
        m_strFailure.clear();
    } else {
        CUP_Log::PrintLog(QStringLiteral("Download failed: %1 from %2: %3")
                              .arg(QFileInfo(m_strFilePath).fileName(), m_url.toString(),
                                   m_strFailure));
        // Part of a file is of no use to anyone: the next attempt starts afresh.
        if (m_pFile)
            QFile::remove(m_strFilePath);
    }
    releaseLock();
    if (m_pResumePosition)
        *m_pResumePosition = success ? m_nReceivedBytes : 0;
    if (m_pLoop)
        m_pLoop->quit();
    if (success)
        emit oneDownLoadFinish(m_strFilePath);
    else
        emit errorfinish(m_strFilePath);
}
