// The state reports of UpdaterApp: one word to the reader's local server, and
// marker files beside it in runs given an internal update URL.

#include "UpdaterApp.h"

#include "CSetup_CommandLine.h"
#include "SystemPaths.h"
#include "Waits.h"

#include <QDebug>
#include <QFile>
#include <QLocalSocket>

void UpdaterApp::NotifyMainCallBack(UPDATE_CHECK_STATE state)
{
    const bool markers = m_pCmdLine && !m_pCmdLine->GetInternalUpdateURL().empty();
    QString word;
    switch (state) {
    case UPDATE_CHECK_ERRORNETWORK: word = QStringLiteral("errornetwork"); break;
    case UPDATE_CHECK_FINISHED: word = QStringLiteral("update finished"); break;
    case UPDATE_CHECK_CLOSE: word = QStringLiteral("close"); break;
    case UPDATE_CHECK_AUTOCLOSE: word = QStringLiteral("autoclose"); break;
    default: return;
    }
    sendState(word);
    if (!markers)
        return;
    const QString folder = SystemPaths::resolve(QStringLiteral("/usr/local/share/orbel/%1/ACUpdate/")
                                                    .arg(QString::fromStdString(GetProductName())));
    QFile marker(folder + QStringLiteral("OrbelData") + QString(word).remove(QLatin1Char(' '))
                 + QStringLiteral(".txt"));
    if (marker.open(QIODevice::WriteOnly | QIODevice::Truncate))
        marker.close();
}

bool UpdaterApp::sendState(const QString &word)
{
    if (!m_pStateSocket)
        m_pStateSocket = new QLocalSocket(this);
    m_pStateSocket->connectToServer(m_strServerName, QIODevice::ReadWrite);
    if (!m_pStateSocket->waitForConnected(Waits::ms(Waits::StateSocketConnect))) {
        qDebug().noquote() << "[debug] ==== Cannot connect to server : " + m_pStateSocket->errorString();
        m_pStateSocket->abort();
        return false;
    }
    m_pStateSocket->write(word.toUtf8());
    m_pStateSocket->flush();
    const bool answered = m_pStateSocket->waitForReadyRead(Waits::ms(Waits::StateSocketReply));
    m_pStateSocket->readAll();
    m_pStateSocket->close();
    return answered;
}

void UpdaterApp::SendProcData(const std::string &)
{
}
