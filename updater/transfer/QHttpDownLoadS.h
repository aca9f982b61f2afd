#pragma once

#include <QElapsedTimer>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

class QEventLoop;
class QFile;
class QLabel;
class QLockFile;
class QNetworkAccessManager;
class QProgressBar;
class QTimer;

// Downloads one URL into one local file with an HTTP GET. A transfer can be
// paused and continued (the rest is asked for with a Range header), can guard
// its target with a lock file, and is watched by two watchdogs: one fails a
// transfer whose progress stalls, one fails a transfer that never answers.
//
// Every transfer ends in exactly one verdict: oneDownLoadFinish when the server
// answered 200 (or 206 to a Range, starting at the resume position) with the
// whole file (every announced byte, and exactly the expected size when the
// caller knows it), errorfinish otherwise.
//
// Whatever the server does, a transfer is bounded: only http, https and local
// files are fetched; an answer without a length (chunked, or ended by closing
// the connection) is taken only when the caller knows a size to hold it to; a
// body that passes its length or that size, a write that fails and less than
// 1 KiB kept within the stall period each end it at once. A failed transfer
// leaves no file behind and logs why it failed; so does one given up before its
// verdict (abandon, or the object destroyed), except that a paused transfer
// keeps its part for the continue.
class QHttpDownLoadS : public QObject
{
    Q_OBJECT
public:
    QHttpDownLoadS(QObject *parent, QProgressBar *progressBar, QLabel *label, qint64 *resumePosition);
    ~QHttpDownLoadS() override;

    // Progress reaches the user interface only through signal_updateProgress.
    void setProgressBar(QProgressBar *) {}

    bool setUrlAndFilePath(QUrl url, QString filePath);
    bool startDownLoads(bool synchronous);
    void pauseDownloads();
    void continueDownload();
    void stopDownLoads();
    // Gives the transfer up for good, running or paused: no verdict follows and
    // its part on disk goes. A transfer that already has its verdict keeps its
    // file. The destructor does the same.
    void abandon();

    // Set by the caller after construction.
    bool m_bFollowRedirects = false;
    bool m_bUseLockFile = false;

    // The most bytes the whole file may have (0: only what the server announces).
    void setSizeLimit(qint64 bytes) { m_nSizeLimit = bytes; }
    // The size the whole file has (0: not known): a body that passes it or ends
    // before it fails, whatever length the server announces.
    void setExpectedSize(qint64 bytes) { m_nExpectedSize = bytes; }
    // Asked about the file once every byte has arrived, before the verdict: the
    // reason the body is still not whole (as the log says it), or empty. A body
    // may arrive in full as far as HTTP can tell and still lack its end.
    using WholeCheck = std::function<QString(const QString &filePath)>;
    void setWholeCheck(WholeCheck check) { m_wholeCheck = std::move(check); }
    // Why the last transfer failed, as the log says it; empty when it did not fail.
    QString failureReason() const { return m_strFailure; }
    // Whether the last transfer failed because its file could not be stored (a
    // full disk, a folder not writable): trying again cannot help before that is mended.
    bool failedOnDisk() const { return m_bFailedOnDisk; }

signals:
    void oneDownLoadFinish(QString filePath);
    void errorfinish(QString filePath);
    void error_network();
    void signal_updateProgress(qlonglong receiveSize, qlonglong totalSize);

public slots:
    void downloadProgress(qlonglong bytesReceived, qlonglong bytesTotal);
    void slotError(QNetworkReply::NetworkError errorCode);
    void readyRead();
    void replyFinished();
    void slotsHasHttpReponse();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    enum ReplyState { ReplyUndecided, ReplyAccepted, ReplyRejected };

    void acceptOrRejectReply();
    void refuse(const QString &reason);
    // Notes a file that cannot be stored as the failure (unless one was noted first).
    void noteDiskFailure(const QString &what);
    // The size the whole file must not pass: the announced length, else what the caller knows.
    qint64 bound() const;
    bool keep(const QByteArray &data);
    void noteKept();
    void startWatchdogs();
    void stopWatchdogs();
    void releaseLock();
    void closeTarget();
    // Gives up the reply, the watchdogs, the target file and its lock, whatever state they are in.
    void dropTransfer();
    void detachReply(bool abort);
    // Ends the transfer now with a failure; the first reason given is the one logged.
    void fail(const QString &reason);
    void giveVerdict(bool success);

    QNetworkAccessManager *m_pManager = nullptr;
    QPointer<QNetworkReply> m_pReply;
    QString m_strFilePath;
    QFile *m_pFile = nullptr;
    QUrl m_url;
    // The whole size the answers announce; -1 while the current one announces none.
    qint64 m_nTotalBytes = 0;
    qint64 m_nReceivedBytes = 0;
    qint64 *m_pResumePosition = nullptr;
    QTimer *m_pNoResponseTimer = nullptr;
    bool m_bResponseSeen = false;
    bool m_bRunning = true;
    int m_nStallTimerId = -1;
    QLockFile *m_pLockFile = nullptr;

    // Where the current reply's bytes start in the file (the resume position,
    // or 0 once a server ignored the Range).
    qint64 m_nBase = 0;
    bool m_bRangeSent = false;
    ReplyState m_eReplyState = ReplyUndecided;
    bool m_bVerdictGiven = true;
    qint64 m_nSizeLimit = 0;
    qint64 m_nExpectedSize = 0;
    bool m_bFailedOnDisk = false;
    // Bytes of a refused answer read so far (an error page), never kept.
    qint64 m_nDiscarded = 0;
    QString m_strFailure;
    // The stall watchdog's clock runs from the last time another KiB was kept.
    QElapsedTimer m_lastProgress;
    qint64 m_nProgressMark = 0;
    QPointer<QEventLoop> m_pLoop;
    WholeCheck m_wholeCheck;
};
