#include "UpdateChecking.h"

#include "CReaderModuleManager.h"
#include "Waits.h"

#include <QDebug>
#include <QTimer>

UpdateChecking::UpdateChecking(QString updaterType)
    : QObject(nullptr)
    , m_strUpdaterType(updaterType)
{
}

UpdateChecking::~UpdateChecking()
{
    delete m_pTimer;
}

void UpdateChecking::setModuleManager(CReaderModuleManager *manager)
{
    m_pManager = manager;
}

void UpdateChecking::startTimer(int milliseconds)
{
    if (!m_pTimer) {
        m_pTimer = new QTimer(this);
        connect(m_pTimer, &QTimer::timeout, this, &UpdateChecking::timeOut);
    }
    m_pTimer->setSingleShot(false);
    m_pTimer->start(milliseconds);
}

void UpdateChecking::startUpdateCheck()
{
    if (!m_pManager)
        return;
    startTimer(Waits::ms(Waits::CheckTimeout));
    connect(m_pManager, SIGNAL(sQueryModuleInfoFinish()), this, SLOT(checkFinsh()));
    connect(m_pManager, SIGNAL(sErrorFinish()), this, SLOT(ErrorFinished()));
    // A reply that cannot be read ends the check as a network failure; without this
    // the check would only end by its time-out.
    connect(m_pManager, SIGNAL(sErrorNetwork()), this, SLOT(ErrorFinished()));
    m_pManager->QueryModuleInfo(nullptr, m_bSynchronous);
}

void UpdateChecking::checkFinsh()
{
    qDebug().noquote() << QStringLiteral("检查完成");
    m_nState = 1;
    if (m_pTimer) {
        m_pTimer->stop();
        delete m_pTimer;
        m_pTimer = nullptr;
    }
    m_nFinished = 1;
}

void UpdateChecking::ErrorFinished()
{
    m_nFinished = 1;
}

void UpdateChecking::timeOut()
{
    qDebug().noquote() << "Update Time out\n";
    if (m_nState != -1)
        return;
    m_nState = -1;
    if (m_pTimer) {
        m_pTimer->stop();
        m_pTimer->deleteLater();
        m_pTimer = nullptr;
    }
}
