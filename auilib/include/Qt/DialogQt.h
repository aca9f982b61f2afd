#pragma once

#include <QDialog>

namespace AUILib {

class Dialog;

// The window of a toolkit dialog. It asks its owner's result filter before it
// finishes and tells the owner of resizes; once the owner has gone (it clears
// itself here) the window behaves as a plain QDialog.
class DialogQt : public QDialog
{
    Q_OBJECT

public:
    DialogQt(Dialog *owner, QWidget *parent);
    // QDialog's destructor hides the window, moving the focus out of the
    // controls inside, before the window counts as being destroyed: it is
    // marked as such first.
    ~DialogQt() override;

    Dialog *owner() const { return m_owner; }
    void setOwner(Dialog *owner) { m_owner = owner; }

public slots:
    void done(int result) override;
    void accept() override;
    void reject() override;
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *event) override;

private:
    Dialog *m_owner;
};

} // namespace AUILib
