#pragma once

#include <QDialog>

class Ui_dlgAcCertain;

// The enterprise administrator asks the user to update, "Now" or "Next Time".
// Neither button closes the notice; only rejecting it does.
class dlgAcCertain : public QDialog
{
    Q_OBJECT
public:
    explicit dlgAcCertain(QWidget *parent = nullptr);
    ~dlgAcCertain() override;

private slots:
    void on_btn_now();

private:
    Ui_dlgAcCertain *ui;
};
