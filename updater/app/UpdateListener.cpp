#include "UpdateListener.h"

#include "Waits.h"

#include <QDebug>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

const quint16 DefaultPort = 8999;

// ORBEL_UPDATER_LISTEN_PORT moves the listener (0: any free port), so that tests
// and a second sandbox do not compete for the product's port.
quint16 listenPort()
{
    bool ok = false;
    const uint port = qEnvironmentVariable("ORBEL_UPDATER_LISTEN_PORT").toUInt(&ok, 10);
    return ok && port <= 65535 ? quint16(port) : DefaultPort;
}

} // namespace

UpdateListener::UpdateListener(QObject *parent)
    : QObject(parent)
    , m_pServer(new QTcpServer(this))
{
    connect(m_pServer, &QTcpServer::newConnection, this, &UpdateListener::newLocalConnection);
}

UpdateListener::~UpdateListener()
{
    delete m_pServer;
}

quint16 UpdateListener::serverPort() const
{
    return m_pServer->isListening() ? m_pServer->serverPort() : 0;
}

void UpdateListener::startListener()
{
    // Loopback only: the answer is for programs of this machine.
    if (!m_pServer->isListening())
        m_pServer->listen(QHostAddress::LocalHost, listenPort());
}

void UpdateListener::newLocalConnection()
{
    qDebug().noquote() << "UpdateListener newLocalConnection()";
    while (QTcpSocket *socket = m_pServer->nextPendingConnection()) {
        m_pSocket = socket;
        // The answer goes out in the background: a client that never reads must
        // not hold up the run, so the connection ends on its own once written,
        // or is dropped after the answer's time-out.
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
            if (socket->bytesToWrite() == 0)
                socket->disconnectFromHost();
        });
        QTimer::singleShot(Waits::ms(Waits::ListenerAnswer), socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        socket->write("UpdaterRuning", 13);
        m_pSocket = nullptr;
    }
}
