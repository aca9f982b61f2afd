#include "MyApplication.h"

#include "UpdaterApp.h"
#include "Waits.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTextStream>

QString MyApplication::instanceName()
{
    return QStringLiteral("%1 Update").arg(QString::fromStdString(UpdaterApp::GetProductName()));
}

MyApplication::MyApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    const QString name = instanceName();
    const QString product = QString::fromStdString(UpdaterApp::GetProductName());

    QLocalSocket socket;
    socket.connectToServer(name, QIODevice::ReadWrite);
    if (socket.waitForConnected(Waits::ms(Waits::SingleInstanceConnect))) {
        QTextStream stream(&socket);
        const QStringList args = QCoreApplication::arguments();
        stream << (args.size() < 2 ? QString() : args.last());
        stream.flush();
        qDebug().noquote() << QStringLiteral("%1 Updater is already running ,quit!").arg(product);
        socket.waitForBytesWritten(Waits::ms(Waits::SingleInstanceWrite));
        m_bRunning = true;
        return;
    }

    qDebug().noquote() << QStringLiteral("%1 Updater is not running ,start One!").arg(product);
    m_pServer = new QLocalServer(this);
    connect(m_pServer, &QLocalServer::newConnection, this, &MyApplication::newLocalConnection);
    if (!m_pServer->listen(name) && m_pServer->serverError() == QAbstractSocket::AddressInUseError
        && QFile::exists(QDir::tempPath() + QLatin1Char('/') + name)) {
        // The socket file of an instance that ended without cleaning up.
        QLocalServer::removeServer(name);
        m_pServer->listen(name);
    }
}

void MyApplication::newLocalConnection()
{
    QLocalSocket *connection = m_pServer->nextPendingConnection();
    if (!connection)
        return;
    connection->waitForReadyRead(Waits::ms(Waits::SingleInstanceRead));
    QTextStream stream(connection);
    QString word;
    stream >> word;
    qDebug().noquote() << "The value is: " + word;
    delete connection;
}
