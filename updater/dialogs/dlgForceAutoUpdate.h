#pragma once

#include <QDialog>

class CReaderModuleManager;
class Ui_dlgForceAutoUpdate;

// Tells the user that the administrator requires an update and that the reader
// must be closed for it. The caller reads m_nResult afterwards, not exec()'s
// value: it stays 1, so the update goes ahead however the notice is closed.
class dlgForceAutoUpdate : public QDialog
{
    Q_OBJECT
public:
    explicit dlgForceAutoUpdate(CReaderModuleManager *manager, QWidget *parent = nullptr);
    ~dlgForceAutoUpdate() override;

    int m_nResult = 0;

private slots:
    void onBtnInstall();

private:
    Ui_dlgForceAutoUpdate *ui;
    CReaderModuleManager *m_pModuleManager; // not owned; kept for the caller's road
};
