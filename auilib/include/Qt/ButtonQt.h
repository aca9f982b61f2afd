#pragma once

#include "Button.h"
#include "OwnerRef.h"

#include <QPushButton>

namespace AUILib {

// The push button the Button control makes itself. Beyond a QPushButton it
// draws the drop-down triangle and the link underline, shows a link's focus
// frame only for keyboard focus, re-rounds a rounded button on every resize and
// keeps its icon at a size that fits. A wrapped plain QPushButton does none of this.
class ButtonQt : public QPushButton
{
    Q_OBJECT

public:
    explicit ButtonQt(Button *owner = nullptr, QWidget *parent = nullptr);

    // Distance of the drop-down triangle from the bottom edge, in pixels.
    int arrowMargin = 3;

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The control's implementation while the control lives.
    std::shared_ptr<Button::impl> ownerImpl() const;
    void fitIconSize();

    OwnerRef<Button> m_owner;
};

} // namespace AUILib
