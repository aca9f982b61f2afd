#pragma once

#include <QCheckBox>

namespace AUILib {

// A check box that can wrap its text: it then draws the indicator and a
// word-wrapped label itself, and takes a click anywhere on the widget.
class CheckBoxQt : public QCheckBox
{
    Q_OBJECT

public:
    explicit CheckBoxQt(QWidget *parent = nullptr);

    // Read at the next paint and hit test; setting it repaints nothing.
    void SetWrap(bool wrap) { m_wrap = wrap; }
    bool Wrap() const { return m_wrap; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    bool m_wrap = false;
};

} // namespace AUILib
