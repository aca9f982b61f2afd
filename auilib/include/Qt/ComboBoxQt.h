#pragma once

#include <QComboBox>

#include <string>

class QPoint;

namespace AUILib {

// The combo box's widget: reports pastes into its text field and arrow-key
// moves onto selectable rows, and can draw itself closed as a text field (the
// edit list mode).
class ComboBoxQt : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBoxQt(QWidget *parent = nullptr);

    bool IsDropped() const { return m_dropped; }
    bool IsEditListMode() const { return m_editListMode; }
    void SetEditListMode(bool on) { m_editListMode = on; }

    // The text field's own menu, whose paste is reported; editable only.
    void ShowContextMenu(const QPoint &pos);
    // Pastes unless the key handler already did, then reports the field's text.
    void MyPaste();

    void showPopup() override;
    void hidePopup() override;

signals:
    void onPaste(std::wstring text);
    void onCurrentIndexSelected(int id);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    bool m_dropped = false;
    bool m_pasteDone = false;
    bool m_editListMode = false;
};

} // namespace AUILib
