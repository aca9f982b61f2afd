#pragma once

#include "ModuleInfo.h"

#include <QDialog>
#include <QString>
#include <string>

class CReaderModuleManager;
class QTimer;
class Ui_DlgUpdateChecking;

// "Checking for updates...": runs the manager's update query under a time-out and
// decides what follows: a report to the reader, the silent installs left to the
// caller, or the available-updates dialog, which runs nested inside this one.
// The caller keeps the window off the screen; it is only a modal loop with a
// progress bar for the query to write into.
//
// The check has exactly one outcome: whichever of the answer, the failed reply,
// the network error, the time-out and cancel comes first ends the check and cuts
// the others off. The dialog never deletes the manager; the run owns it.
class DlgUpdateChecking : public QDialog
{
    Q_OBJECT
public:
    explicit DlgUpdateChecking(QString type, QWidget *parent = nullptr);
    ~DlgUpdateChecking() override;

    void setModuleManager(CReaderModuleManager *manager);
    void startUpdateCheck();
    // (Re)starts the check's time-out; the first call makes the timer.
    void startTimer(int ms);
    bool OnUpdateQueryResult(QueryResultInfo info);
    // Whether a module version is above the reader's, field by field.
    bool CheckMajorVersionUpgrade(std::string version);

    // -1 checking, or ended by an error or the time-out; 1 answered; 0 cancelled.
    int m_nState = -1;
    // Shows the time-out in a box of its own instead of reporting it.
    bool m_bShowMessage = false;

public slots:
    // Names the callers connect to; "checkFinsh" is spelt as they know it.
    void ErrFinish();
    void ErrNetwork();
    void checkFinsh();
    void on_cancelButton_clicked();
    void timeOut();

private:
    // Ends the check: no other outcome and no time-out can follow.
    void endCheck();
    // A failed reply and a network error end the check alike.
    void endWithNetworkFailure();
    bool isAutomatic() const;

    Ui_DlgUpdateChecking *ui;
    QTimer *m_pTimer = nullptr;
    QString m_strType;
    CReaderModuleManager *m_pModuleManager = nullptr;
};
