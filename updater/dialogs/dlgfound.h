#pragma once

#include "ModuleInfo.h"

#include <QDialog>
#include <QHash>
#include <QMap>
#include <QModelIndex>
#include <QString>
#include <memory>
#include <string>

class CReaderModuleManager;
class QCloseEvent;
class QKeyEvent;
class QStandardItem;
class QStandardItemModel;
class Ui_dlgfound;

// The download-and-install progress window: one row per selected module with its
// size and progress. It transfers nothing itself; it tells the module manager to
// start, pause, resume or stop and shows what the manager relays back.
class dlgfound : public QDialog
{
    Q_OBJECT
public:
    // Only autoDownload of the flags matters. The manager stays the caller's; with
    // none, the dialog makes (and owns) one for the type.
    dlgfound(std::string updaterType, bool, bool, bool autoDownload, bool, CReaderModuleManager *manager,
             QWidget *parent = nullptr);
    ~dlgfound() override;

    void InitDialog();
    // Lists the manager's selection. An empty result stops the transfer and lists
    // nothing; the kind "1" adds rows to a list that is already running.
    void OnDownloadQueryResult(const QString &result, const QString &kind);
    // One step of the download button: start, pause, continue, or close when done.
    void OnDownload();
    // Starts the selected module after `after` (the first for null), or ends in
    // the "OK" state when there is nothing left to start.
    void DownloadModule(MODULEINFO *after);
    // Pauses, then stops the transfer.
    void OnExit();
    bool CanFindAppointItem(MODULEINFO *module);
    bool AddModuleToDownloadList(const std::string &name);

public slots:
    void OnCancel();
    void downloadInstall();
    void OnTreeViewClicked(QModelIndex index);
    void showDownloadProgress(QString title, double percent);
    void showInstallProgress(QString title, int percent);
    void startInstallPkg(QString packagePath);
    void OnAppearanceSetting(bool dark);

protected slots:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Starts the module query for a component request that arrives without a selection.
    void QueryUpdate();
    bool confirmQuit();
    // Nothing was to be done ("OK"), or every row has ended its installation.
    bool isWorkOver() const;
    void quit();
    void setTitleImage(bool dark);
    void setColumnWidths();
    QStandardItem *progressCell(const MODULEINFO *module) const;
    // Whether a progress text belongs to a row that is installing or finished,
    // which pausing and continuing leave alone.
    bool isInstallingOrDone(const QString &progressText) const;

    bool m_bAutoDownload = false;
    // Outside 1 to 4 until the list is first built: the download button does nothing.
    int m_nDownloadState = 0;
    std::string m_strUpdaterType;
    bool m_bRepeatRequest = false;
    CReaderModuleManager *m_pModuleManager = nullptr;
    std::unique_ptr<CReaderModuleManager> m_ownManager;
    QStandardItemModel *m_pModel = nullptr;
    Ui_dlgfound *ui = nullptr;
    QMap<QString, MODULEINFO *> m_mapModules;
    QMap<QString, QStandardItem *> m_mapNameItems;
    QMap<QString, QStandardItem *> m_mapProgressItems;
    // The row of each module, so that the row a step works on never depends on
    // the selection's order or on rows left out of the list.
    QHash<const MODULEINFO *, QStandardItem *> m_moduleProgressItems;
};
