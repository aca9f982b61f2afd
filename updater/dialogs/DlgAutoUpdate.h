#pragma once

#include <QDialog>

class Ui_DlgAutoUpdate;

// A new update was found: skip this version, be reminded later, and an offer to
// install the editor. The notice is its form; none of its buttons is connected.
class DlgAutoUpdate : public QDialog
{
    Q_OBJECT
public:
    explicit DlgAutoUpdate(QWidget *parent = nullptr);
    ~DlgAutoUpdate() override;

private:
    Ui_DlgAutoUpdate *ui;
};
