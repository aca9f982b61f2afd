#pragma once

#include <QDialog>
#include <QString>

class Ui_DlgMessage;

// The updater's own small tip box: one text, "OK" and an optional "Cancel". Every
// way out rejects the dialog; the caller reads m_bOk to learn whether OK was pressed.
class DlgMessage : public QDialog
{
    Q_OBJECT
public:
    explicit DlgMessage(QWidget *parent = nullptr);
    ~DlgMessage() override;

    void setInformation(QString text);
    // Shows "Cancel" beside OK and renames OK (the close-the-reader prompt makes it "Retry").
    void setOkButtonText(QString text);
    // OK alone.
    void setStandardButtonsOk();

    bool m_bOk = false;

private slots:
    void on_pushButton_cancel_clicked();
    void on_pushButton_ok_clicked();

private:
    Ui_DlgMessage *ui;
};
