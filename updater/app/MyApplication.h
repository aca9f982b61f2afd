#pragma once

#include <QApplication>

class QLocalServer;

// The application object; it keeps a single updater running: a later instance
// hands its last argument to the running one and ends.
class MyApplication : public QApplication
{
    Q_OBJECT
public:
    MyApplication(int &argc, char **argv);

    bool isRunning() const { return m_bRunning; }

    // "Orbel PDF Reader Update", the local socket the running instance listens on.
    static QString instanceName();

private slots:
    void newLocalConnection();

private:
    QLocalServer *m_pServer = nullptr;
    bool m_bRunning = false;
};
