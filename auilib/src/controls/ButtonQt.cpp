#include "ButtonQt.h"

#include "ButtonImpl.h"
#include "StyleSheetEditor.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace AUILib {

namespace {

// Gives the widget its own sheet with one property changed; a sheet the edit
// leaves as it was is not set again.
bool editOwnSheet(QWidget *widget, const QString &selector, const QString &name, const QString &value)
{
    const QString own = widget->styleSheet();
    const QString edited = EditStyleSheet(own, selector, name, value);
    if (StyleSheetToJson(edited) == StyleSheetToJson(own))
        return false;
    widget->setStyleSheet(edited);
    return true;
}

} // namespace

ButtonQt::ButtonQt(Button *owner, QWidget *parent)
    : QPushButton(parent)
    , m_owner(owner)
{
}

std::shared_ptr<Button::impl> ButtonQt::ownerImpl() const
{
    Button *owner = m_owner.get();
    return owner ? std::static_pointer_cast<Button::impl>(owner->GetBaseImpl()) : nullptr;
}

void ButtonQt::fitIconSize()
{
    const QIcon shown = icon();
    if (shown.isNull())
        return;
    const QList<QSize> sizes = shown.availableSizes(QIcon::Normal, QIcon::Off);
    if (sizes.isEmpty())
        return;
    const QSize fitted = FittedIconSize(sizes.first(), size());
    if (iconSize() != fitted)
        setIconSize(fitted);
}

bool ButtonQt::event(QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        const std::shared_ptr<Button::impl> impl = ownerImpl();
        if (impl && impl->GetStyle() == Button::StyleRounded) {
            int radius = impl->GetRoundedButtonCornerRadius();
            if (radius < 1)
                radius = height() / 2;
            if (editOwnSheet(this, QStringLiteral("QPushButton"), QStringLiteral("border-radius"),
                             QString::number(radius) + QStringLiteral("px")))
                impl->TakeSheetFromWidget();
        }
    }
    fitIconSize();
    return QPushButton::event(event);
}

void ButtonQt::focusInEvent(QFocusEvent *event)
{
    const std::shared_ptr<Button::impl> impl = ownerImpl();
    if (impl && impl->GetStyle() == Button::StyleLink) {
        const bool byMouse = event->reason() == Qt::MouseFocusReason;
        editOwnSheet(this, QStringLiteral("QPushButton:focus"), QStringLiteral("border-width"),
                     byMouse ? QStringLiteral("0px") : QStringLiteral("1px"));
    }
    QPushButton::focusInEvent(event);
}

void ButtonQt::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    const std::shared_ptr<Button::impl> impl = ownerImpl();
    if (!impl)
        return;
    // Placed by the whole button, not by the part being repainted.
    const QRect area = rect();
    if (impl->ShowsMenuArrow()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(isEnabled() ? impl->TextColor() : impl->DisabledTextColor());
        const int cx = area.left() + (area.right() - area.left() + 1) / 2;
        const int b = area.bottom();
        const int m = arrowMargin;
        painter.drawPolygon(QPolygon({QPoint(cx - 4, b - 4 - m), QPoint(cx, b - m), QPoint(cx + 4, b - 4 - m)}));
    }
    if (impl->GetStyle() == Button::StyleLink) {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int w = metrics.horizontalAdvance(text());
        const int h = metrics.height();
        const int x = (width() - w) / 2;
        const int y = std::min(height() - 3, (height() - h) / 2 + h + 1);
        painter.drawLine(x, y, x + w - 1, y);
    }
}

} // namespace AUILib
