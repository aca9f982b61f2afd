#pragma once

#include <QObject>
#include <QString>

class CReaderModuleManager;
class QTimer;

// One update check without a window: starts the manager's query, guards it with
// the check time-out and records how it ended.
class UpdateChecking : public QObject
{
    Q_OBJECT
public:
    explicit UpdateChecking(QString updaterType);
    ~UpdateChecking() override;

    void setModuleManager(CReaderModuleManager *manager);
    void startUpdateCheck();
    void startTimer(int milliseconds);

    // -1 until the query finished (and again after a time-out), 1 once it finished.
    int checkState() const { return m_nState; }
    // 1 once the query finished or the manager reported an error.
    int finished() const { return m_nFinished; }
    bool hasTimer() const { return m_pTimer != nullptr; }

public slots:
    void checkFinsh();
    void timeOut();
    void ErrorFinished();

private:
    QTimer *m_pTimer = nullptr;
    QString m_strUpdaterType;
    CReaderModuleManager *m_pManager = nullptr;
    int m_nState = -1;
    bool m_bSynchronous = false;
    int m_nFinished = 0;
};
