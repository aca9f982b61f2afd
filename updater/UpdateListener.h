#pragma once

#include <QObject>

class QTcpServer;

// The loopback listener through which the reader sees that an updater runs.
class UpdateListener : public QObject
{
    Q_OBJECT
public:
    explicit UpdateListener(QObject *parent = nullptr);
    ~UpdateListener() override;

    void startListener();

private:
    QTcpServer *m_pServer = nullptr;
};
