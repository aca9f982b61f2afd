#pragma once

#include <QDialog>

class Ui_DlgComponentFound;
struct ComponentInfo;

// Asks whether to fetch the components the reader asked for: names them, says what
// they do and links to the add-ons page for a later manual download. exec() gives
// 1 for Yes, 0 for No or closing.
class CDlgComponentFound : public QDialog
{
public:
    explicit CDlgComponentFound(ComponentInfo &info, QWidget *parent = nullptr);
    ~CDlgComponentFound() override;

    // The add-ons link for the request (exposed for its percent-encoding and hosts).
    static QString addonsLink(const ComponentInfo &info);

private:
    void init(ComponentInfo &info);

    Ui_DlgComponentFound *ui;
};
