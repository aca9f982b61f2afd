#pragma once

#include <QDialog>
#include <QString>
#include <string>

class UpdaterApp;
class Ui_CDlg_MajorUpdate;

// Offers the next major version of the reader. "More Info" opens the maker's page
// for the upgrade; the answer is remembered in the settings so that the update
// check knows how often the user has been asked: "More Info" marks it answered
// (3), every other way out counts one more dismissal (1, 2, 3, 1, ...) when the
// notice is destroyed.
class CDlg_MajorUpdate : public QDialog
{
    Q_OBJECT
public:
    explicit CDlg_MajorUpdate(QWidget *parent = nullptr);
    ~CDlg_MajorUpdate() override;

    // The maker's redirect to the upgrade page for a reader of this package type,
    // UI language and version (exposed for its hosts and its encoding).
    static QString upgradeLink(const QString &packageType, const QString &language, const QString &readerVersion);

private slots:
    void on_btn_info_clicked();
    void on_pushButton_2_clicked();

private:
    // Writes the version of the first selected major upgrade of the reader;
    // false when none is selected.
    bool writeRejectedVersion();

    Ui_CDlg_MajorUpdate *ui;
    UpdaterApp *m_pApp;
    bool m_bAnswered = false;
};
