#include "PromptsPopupQt.h"

#include "EventGate.h"

#include <QEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOption>
#include <QTimerEvent>

namespace AUILib {

PromptsPopupQt::PromptsPopupQt(QWidget *parent)
    : QLabel(parent)
{
}

void PromptsPopupQt::watch(QPointer<QWidget> &role, QWidget *widget)
{
    if (!widget || widget == role)
        return;
    if (role)
        role->removeEventFilter(this);
    role = widget;
    widget->installEventFilter(this);
    widget->setAttribute(Qt::WA_MouseTracking);
    connect(widget, &QObject::destroyed, this, &QObject::deleteLater);
}

void PromptsPopupQt::WatchTarget(QWidget *target)
{
    watch(m_target, target);
}

void PromptsPopupQt::WatchWindow(QWidget *window)
{
    watch(m_window, window);
}

void PromptsPopupQt::setVisible(bool visible)
{
    // The platform hands the window events it queued on while it makes the
    // balloon's window: the handlers they reach wait until the balloon is
    // shown, so that none shows it again from inside (a second platform
    // window, never freed). Made first, the hold ends last: what it delivers
    // may delete the balloon.
    EventGate::Hold hold;
    const QScopedValueRollback<bool> changing(m_changingVisibility, true);
    QLabel::setVisible(visible);
}

void PromptsPopupQt::hideByTarget()
{
    hide();
}

bool PromptsPopupQt::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_target && closeOnInteraction) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Leave:
        case QEvent::MouseMove:
            hideByTarget();
            break;
        default:
            break;
        }
    }
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::Paint:
        case QEvent::UpdateRequest:
            // A repaint of the window may have covered the balloon: bring it back
            // while it is still within its time.
            if (!closeOnInteraction && displayed && !m_changingVisibility)
                show();
            break;
        case QEvent::Move:
            if (displayed) {
                auto *move = static_cast<QMoveEvent *>(event);
                this->move(pos() + (move->pos() - move->oldPos()));
            }
            break;
        case QEvent::Close:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            displayed = false;
            hide();
            break;
        default:
            break;
        }
    }
    return QLabel::eventFilter(watched, event);
}

void PromptsPopupQt::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(QPalette::Base));
        const int left = balloonRect.left();
        const int top = balloonRect.top() + kArrowHeight + kCornerRadius;
        QPainterPath box;
        box.addRoundedRect(QRectF(QPointF(left, top), QPointF(balloonRect.right(), balloonRect.bottom())),
                           kCornerRadius, kCornerRadius, Qt::AbsoluteSize);
        QPainterPath arrow;
        arrow.moveTo(left + kArrowLeft, top);
        arrow.lineTo(left + kArrowLeft + kArrowWidth, top);
        arrow.lineTo(left + kArrowLeft + kArrowWidth / 2, top - kArrowHeight);
        arrow.closeSubpath();
        painter.drawPath(box.united(arrow));
    }
    QLabel::paintEvent(event);
}

void PromptsPopupQt::resizeEvent(QResizeEvent *event)
{
    QStyleHintReturnMask mask;
    QStyleOption option;
    option.initFrom(this);
    if (style()->styleHint(QStyle::SH_ToolTip_Mask, &option, this, &mask))
        setMask(mask.region);
    QLabel::resizeEvent(event);
}

void PromptsPopupQt::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != autoHideTimer.timerId()) {
        QLabel::timerEvent(event);
        return;
    }
    autoHideTimer.stop();
    if (!isHidden()) {
        displayed = false;
        hide();
    }
}

} // namespace AUILib
