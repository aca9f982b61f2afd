#pragma once

#include "ModuleInfo.h"

#include <QDialog>
#include <QHash>
#include <QModelIndex>
#include <QString>
#include <QVector>
#include <string>

class CReaderModuleManager;
class QCloseEvent;
class QKeyEvent;
class QStandardItem;
class QStandardItemModel;
class UpdaterApp;
class Ui_DlgUpdatesTree;

// The kind of group SetMutexCheckState works on.
enum E_UPDATE_TYPE {
    E_UPDATE_ADDON = 0,  // "Add-ons" and "OCR"
    E_UPDATE_READER = 1  // "Orbel PDF Reader Updates"
};

// "Available Updates": the modules the check offers, as a tree with check boxes
// (reader updates, add-ons, OCR packs under the add-ons), the description of the
// module clicked last, and the ways out: "Download and Install" for the checked
// modules, "Close", and in scheduled runs a reminder interval or "Never remind me".
//
// Every row of a module is its own choice, also when two modules share a title.
// A group row shows the state of its children; the reader updates and the add-ons
// are never chosen together. The dialog never deletes the manager; the run owns it.
class DlgUpdatesTree : public QDialog
{
    Q_OBJECT
public:
    DlgUpdatesTree(CReaderModuleManager *manager, UpdaterApp *app, QWidget *parent = nullptr);
    ~DlgUpdatesTree() override;

    void InitDialog();

    // Selection rules of the tree.
    void SetChildState(QStandardItem *item, Qt::CheckState state);
    void SetParentState(QStandardItem *item);
    void SetMutexCheckState(E_UPDATE_TYPE type, Qt::CheckState state);

    // Helpers over the manager's lists.
    void AddModule(MODULEINFO *module);
    void CheckZhAutoAvailableModule();
    bool IsModuleNeedUpdate(QVector<_UpdaterInfo *> &installed, std::string name);
    bool CheckMajorVersionUpgrade(std::string version);
    void FilterUpgrade();

    // Set when the dialog ended through one of its own actions; read by its caller.
    bool m_bClosed = false;

public slots:
    void OnComboxResolve(QString qsStr);
    void OnOK();
    void OnSkip();
    void OnCancel();
    void OnTreeViewClicked(QModelIndex qmi);
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *eve) override;
    void OnAppearanceSetting(bool isDarkMode);

private slots:
    void onItemChanged(QStandardItem *item);

private:
    // One listed module and its check-box cell.
    struct ModuleRow
    {
        QStandardItem *item;
        MODULEINFO *module;
    };

    void OnNotInstall();
    bool askBeforeClose(const QString &text);
    // A module's check-box and size cells, noted among the listed modules.
    QList<QStandardItem *> moduleRow(MODULEINFO *module);
    void appendSorted(QStandardItem *group, QVector<QList<QStandardItem *>> &rows);
    // Spreads a changed check state over the item's subtree and ancestors.
    void applyCheckState(QStandardItem *item);
    void rememberCheckStates(QStandardItem *item);
    void updateDownloadButton();

    CReaderModuleManager *m_pModuleManager = nullptr;
    UpdaterApp *m_pUpdaterApp = nullptr;
    QStandardItemModel *m_pModel = nullptr;
    QStandardItem *m_pRootItem = nullptr;
    QStandardItem *m_pOcrItem = nullptr;
    QStandardItem *m_pAddonItem = nullptr;
    bool m_bAskBeforeClose = true;
    bool m_bOcrAdded = false;
    Ui_DlgUpdatesTree *ui;
    // The listed modules in the order they were listed.
    QVector<ModuleRow> m_moduleRows;
    bool m_bHasAddon = false;
    bool m_bHasReaderUpdate = false;
    QVector<MODULEINFO *> m_vecModules;
    // The check state each checkable item had when last seen, so that only a real
    // change spreads; while a change spreads, the changes it makes do not.
    QHash<QStandardItem *, Qt::CheckState> m_seenStates;
    bool m_bSpreading = false;
};
