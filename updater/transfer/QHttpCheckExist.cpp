#include "QHttpCheckExist.h"

#include "HttpReplyHeaders.h"

#include "Waits.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {
// Only a short answer can be the service's "not found".
const qint64 kShortBody = 150;
const char kNotFoundCode[] = "\"code\":1000003";
} // namespace

QHttpCheckExist::QHttpCheckExist(QObject *parent, QString url)
    : QObject(parent)
    , m_pManager(new QNetworkAccessManager(this))
    , m_url(url, QUrl::TolerantMode)
{
}

bool QHttpCheckExist::checkExit()
{
    QNetworkRequest request(m_url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setRawHeader("Accept-Encoding", "identity");
    QNetworkReply *reply = m_pManager->get(request);
    m_pReply = reply;
    m_body.clear();

    QEventLoop loop;
    connect(reply, &QNetworkReply::readyRead, this, &QHttpCheckExist::readyRead);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    // A silent server must not hold the process: the probe gives up after the
    // transfer's no-response wait without an answer, and then counts as "there".
    // Once the headers are in, the few bytes it reads must follow within the
    // stall wait: a server that trickles them cannot hold it either.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, reply, &QNetworkReply::abort);
    connect(reply, &QNetworkReply::metaDataChanged, &watchdog,
            [&watchdog] { watchdog.start(Waits::ms(Waits::TransferStall)); });
    watchdog.start(Waits::ms(Waits::TransferNoResponse));

    if (!reply->isFinished())
        loop.exec();
    readyRead();
    m_pReply = nullptr;
    reply->deleteLater();
    return true;
}

void QHttpCheckExist::readyRead()
{
    if (!m_pReply)
        return;
    const qint64 length = ContentLengthOf(m_pReply);
    if (length >= kShortBody) {
        // The answer is known from the headers; the body of a real file is not wanted.
        if (m_pReply->isRunning())
            m_pReply->abort();
        return;
    }
    const QByteArray chunk = m_pReply->readAll();
    if (m_body.size() < kShortBody)
        m_body.append(chunk.left(kShortBody));
    if (QString::fromUtf8(m_body).contains(QLatin1String(kNotFoundCode)))
        m_bNotFound = true;
    // What follows the first bytes cannot change the answer: a body without a
    // length that goes on is not read to its end, which may never come.
    if (m_body.size() >= kShortBody && m_pReply->isRunning())
        m_pReply->abort();
}
