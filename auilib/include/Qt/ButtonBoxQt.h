#pragma once

#include <QDialogButtonBox>
#include <QSize>
#include <QString>

#include <map>

namespace AUILib {

class ButtonBoxQt;

// Gives every standard button of the box that has a per-button sheet its sheet,
// addressed to that button by its text and with minimum sizes from the size
// the button had on the box's first activation. Before that activation it also
// measures the buttons. A null box does nothing.
void SetButtonBoxButtonsMinSize(ButtonBoxQt *box);

// The toolkit's button box. Button controls inside it hand their style sheets
// here instead of setting them on their widget; the box keeps them per standard
// button and applies them, with measured minimum sizes, from its first
// activation on.
class ButtonBoxQt : public QDialogButtonBox
{
    Q_OBJECT

public:
    explicit ButtonBoxQt(QWidget *parent = nullptr);

    // Keeps `sheet` (escaped as the button control keeps it) for every standard
    // button whose caption equals `buttonText`; once the box was activated the
    // sheets are applied again. An empty text or sheet stores nothing.
    void SetButtonStyleSheet(const QString &buttonText, const QString &sheet);

    bool IsActivated() const { return m_activated; }
    // The latest sheet handed over for the standard button; empty when none.
    QString ButtonStyleSheet(StandardButton button) const;
    // The size the button had when this box measured it; invalid before.
    QSize MeasuredSize(StandardButton button) const;

protected:
    bool event(QEvent *event) override;

private:
    friend void SetButtonBoxButtonsMinSize(ButtonBoxQt *box);

    std::map<int, QString> m_buttonSheets;
    // Per box: boxes of different fonts or layouts never share measurements.
    std::map<int, QSize> m_measured;
    bool m_activated = false;
};

} // namespace AUILib
