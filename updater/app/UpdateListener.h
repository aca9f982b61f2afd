#pragma once

#include <QObject>

class QTcpServer;
class QTcpSocket;

// The loopback listener through which other programs see that an updater runs:
// every connection is answered with "UpdaterRuning".
class UpdateListener : public QObject
{
    Q_OBJECT
public:
    explicit UpdateListener(QObject *parent = nullptr);
    ~UpdateListener() override;

    // The port in use once listening, else 0.
    quint16 serverPort() const;

public slots:
    void startListener();
    void newLocalConnection();

private:
    QTcpServer *m_pServer = nullptr;
    QTcpSocket *m_pSocket = nullptr;
};
