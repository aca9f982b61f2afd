#include "BaseImplQt.h"

#include "AgnosticUIException.h"
#include "BaseGUIObject.h"
#include "EnableChildWidgets.h"
#include "EventGate.h"
#include "PromptsPopup.h"
#include "SizeBound.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QSizePolicy>
#include <QWidget>

// Qt says whether a widget is inside its destructor only in its private data.
#include <private/qwidget_p.h>

#include <algorithm>
#include <climits>

namespace AUILib {

namespace {

Size toSize(const QSize &size)
{
    return Size{size.width(), size.height()};
}

// Positions are bounded far beyond any screen, so that a position plus any
// size Qt allows a widget (QWIDGETSIZE_MAX) and its frame stay within int.
constexpr int kLargestCoordinate = INT_MAX / 4;

int boundedCoordinate(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, -kLargestCoordinate, kLargestCoordinate));
}

int saturated(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// A rectangle's extent read from its edges, which is all a QRect keeps: its
// own width() and height() would overflow for a size past the int range.
long long extent(int first, int last)
{
    return static_cast<long long>(last) - first + 1;
}

constexpr int kBalloonTime = 3000;    // ms, a balloon that is not persistent
constexpr int kLongestBalloonTime = -1; // a persistent balloon: no time-out

} // namespace

BaseImplQt::BaseImplQt(BaseGUIObject *owner)
    : m_owner(owner)
    , m_context(std::make_unique<QObject>())
{
    SizeBound::GuardWindows();
    EventGate::WatchWindowSystem();
}

BaseImplQt::~BaseImplQt()
{
    Retire();
}

void BaseImplQt::Retire()
{
    if (m_retired)
        return;
    m_retired = true;
    // Every connection and timer made through the context ends with it.
    m_context.reset();
    QWidget *made = m_madeWidget.data();
    // A widget Qt is destroying goes by itself.
    if (!made || made->parent() || !QCoreApplication::instance() || WidgetBeingDestroyed())
        return;
    // Later, not now: the implementation may go from inside one of the
    // widget's own signals (a handler that drops its control).
    if (made->isVisible())
        made->hide();
    made->deleteLater();
}

QWidget *BaseImplQt::GetWidget()
{
    return liveWidget();
}

bool BaseImplQt::WidgetBeingDestroyed() const
{
    const QWidget *widget = m_widget.data();
    return widget && widget->metaObject() != m_widgetClass;
}

bool BaseImplQt::WindowBeingDestroyed() const
{
    // The widget's own destructor is caught by its class; an ancestor's
    // (a window deleted with the control inside) only here: Qt hides it and
    // moves the focus while it goes, and a handler reached from there would
    // change a widget tree Qt is taking apart.
    return BeingDestroyed(m_widget.data());
}

bool BaseImplQt::BeingDestroyed(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (QWidgetPrivate::get(widget)->data.in_destructor || isGoing(widget))
            return true;
    }
    return false;
}

namespace {

// Windows whose destruction began before QWidget's destructor marks them; a
// few at most, and none almost always.
std::vector<const QObject *> &goingWindows()
{
    static std::vector<const QObject *> going;
    return going;
}

} // namespace

void BaseImplQt::WindowDestructionBegins(QWidget *window)
{
    if (!window)
        return;
    goingWindows().push_back(window);
    // Emitted by QObject's destructor, the last of the chain.
    QObject::connect(window, &QObject::destroyed, [](QObject *gone) {
        std::vector<const QObject *> &going = goingWindows();
        going.erase(std::remove(going.begin(), going.end(), gone), going.end());
    });
}

bool BaseImplQt::isGoing(const QWidget *widget)
{
    const std::vector<const QObject *> &going = goingWindows();
    return !going.empty() && std::find(going.begin(), going.end(), widget) != going.end();
}

std::shared_ptr<BaseImplQt> BaseImplQt::Of(const BaseGUIObject *control)
{
    return control ? std::dynamic_pointer_cast<BaseImplQt>(control->GetBaseImpl()) : nullptr;
}

QWidget *BaseImplQt::liveWidget() const
{
    return WidgetBeingDestroyed() ? nullptr : m_widget.data();
}

void BaseImplQt::OnFormLoaded(const FormElement &) {}

bool BaseImplQt::TakesMouseEventsWhenDisabled() const
{
    return true;
}

bool BaseImplQt::HasOwnContextMenu() const
{
    return false;
}

QWidget *BaseImplQt::widgetOrThrow()
{
    QWidget *widget = GetWidget();
    if (!widget)
        ThrowControlNotValid();
    return widget;
}

void BaseImplQt::Show(bool show, bool repaint)
{
    QWidget *widget = widgetOrThrow();
    // Showing or hiding lays out, moves the focus and, for a window, makes or
    // drops its native window: a handler reached from inside must wait.
    EventGate::Hold hold;
    const bool shownOrHiddenBefore =
        widget->testAttribute(Qt::WA_WState_Visible) || widget->testAttribute(Qt::WA_WState_Hidden);
    if (shownOrHiddenBefore && widget->isVisible() == show)
        return;
    const bool isDialog = qobject_cast<QDialog *>(widget) != nullptr;
    if (isDialog && !show) {
        // Hiding a dialog remembers where it was, so showing it brings it back there.
        m_savedGeometry = widget->geometry();
        widget->hide();
    } else {
        widget->setVisible(show);
    }
    if (isDialog && !m_savedGeometry.isNull())
        widget->setGeometry(m_savedGeometry);
    if (repaint)
        widget->repaint();
}

bool BaseImplQt::IsVisible()
{
    return widgetOrThrow()->isVisible();
}

void BaseImplQt::Enable(bool enable, bool withChildren)
{
    QWidget *widget = widgetOrThrow();
    if (withChildren)
        EnableChildWidgets(this, widget, enable);
    else
        widget->setEnabled(enable);
    widget->repaint();
}

bool BaseImplQt::IsEnabled()
{
    return !widgetOrThrow()->testAttribute(Qt::WA_Disabled);
}

int BaseImplQt::GetLogicalPixelsX()
{
    return widgetOrThrow()->logicalDpiX();
}

int BaseImplQt::GetLogicalPixelsY()
{
    return widgetOrThrow()->logicalDpiY();
}

Rect BaseImplQt::GetWindowRect()
{
    QWidget *widget = widgetOrThrow();
    const QRect frame = widget->frameGeometry();
    const QRect inner = widget->geometry();
    const long long frameWidth = extent(frame.left(), frame.right());
    const long long frameHeight = extent(frame.top(), frame.bottom());
    const QPoint topLeft =
        widget->mapToGlobal(QPoint(0, saturated(extent(inner.top(), inner.bottom()) - frameHeight)));
    return Rect{topLeft.x(), topLeft.y(), saturated(topLeft.x() + frameWidth - 1),
                saturated(topLeft.y() + frameHeight - 1)};
}

Rect BaseImplQt::GetClientRect()
{
    QWidget *widget = widgetOrThrow();
    QSize size = widget->size();
    if (auto *frame = qobject_cast<QFrame *>(widget))
        size = frame->contentsRect().size();
    return Rect{0, 0, size.width() - 1, size.height() - 1};
}

int BaseImplQt::BoundedCoordinate(long long value)
{
    return boundedCoordinate(value);
}

int BaseImplQt::Saturated(long long value)
{
    return saturated(value);
}

QPoint BaseImplQt::BoundedPoint(Point point)
{
    return QPoint(boundedCoordinate(point.x), boundedCoordinate(point.y));
}

// The frame is added to what Qt mapped, in a wider type.
Point BaseImplQt::ScreenToClient(Point point)
{
    QWidget *widget = widgetOrThrow();
    const QPoint local = widget->mapFromGlobal(BoundedPoint(point));
    long long x = local.x();
    long long y = local.y();
    if (auto *frame = qobject_cast<QFrame *>(widget)) {
        x -= frame->frameWidth();
        y -= GetFrarmeWidth();
    }
    return Point{saturated(x), saturated(y)};
}

Point BaseImplQt::ClientToScreen(Point point)
{
    QWidget *widget = widgetOrThrow();
    const QPoint global = widget->mapToGlobal(BoundedPoint(point));
    long long x = global.x();
    long long y = global.y();
    if (auto *frame = qobject_cast<QFrame *>(widget)) {
        x += frame->frameWidth();
        y += GetFrarmeWidth();
    }
    return Point{saturated(x), saturated(y)};
}

Size BaseImplQt::IdealSize()
{
    return toSize(widgetOrThrow()->sizeHint());
}

Size BaseImplQt::MinimumIdealSize()
{
    return toSize(widgetOrThrow()->minimumSizeHint());
}

Size BaseImplQt::MinimumSize()
{
    return toSize(widgetOrThrow()->minimumSize());
}

Size BaseImplQt::MaximumSize()
{
    return toSize(widgetOrThrow()->maximumSize());
}

// A new size bound resizes the widget at once when it no longer fits, and
// its layout lays its children out from inside that resize.
void BaseImplQt::SetMinimumSize(const Size &size)
{
    QWidget *widget = widgetOrThrow();
    EventGate::Hold hold;
    widget->setMinimumSize(SizeBound::Width(size.width), SizeBound::Height(size.height));
}

void BaseImplQt::SetMaximumSize(const Size &size)
{
    QWidget *widget = widgetOrThrow();
    EventGate::Hold hold;
    widget->setMaximumSize(size.width, size.height);
}

// Qt would bound the size only to QWIDGETSIZE_MAX, and only for a widget it
// has not created yet: the size is held to the toolkit's bound, the position
// to one far beyond any screen.
void BaseImplQt::MoveWindow(int x, int y, int width, int height, bool)
{
    QWidget *widget = widgetOrThrow();
    EventGate::Hold hold;
    long long left = x;
    long long top = y;
    if (auto *frame = qobject_cast<QFrame *>(widget)) {
        left += frame->lineWidth();
        top += frame->lineWidth();
    }
    widget->move(boundedCoordinate(left), boundedCoordinate(top));
    widget->resize(SizeBound::Width(width), SizeBound::Height(height));
    m_savedGeometry = widget->geometry();
}

int BaseImplQt::GetFrarmeWidth()
{
    QWidget *widget = widgetOrThrow();
    if (auto *frame = qobject_cast<QFrame *>(widget))
        return frame->frameWidth();
    return (widget->frameGeometry().width() - widget->width()) / 2;
}

int BaseImplQt::SetTimer(unsigned int, unsigned int milliseconds)
{
    return widgetOrThrow()->startTimer(static_cast<int>(milliseconds), Qt::CoarseTimer);
}

void BaseImplQt::KillTimer(unsigned int id)
{
    widgetOrThrow()->killTimer(static_cast<int>(id));
}

void BaseImplQt::Update()
{
    widgetOrThrow()->update();
}

void BaseImplQt::Update(const Region &region)
{
    widgetOrThrow()->update(region);
}

void BaseImplQt::Repaint()
{
    widgetOrThrow()->repaint();
}

void BaseImplQt::Repaint(const Region &region)
{
    widgetOrThrow()->repaint(region);
}

SizePolicy BaseImplQt::GetSizePolicy()
{
    const QSizePolicy policy = widgetOrThrow()->sizePolicy();
    SizePolicy value = 0;
    value |= static_cast<SizePolicy>(policy.horizontalStretch() & 0xff);
    value |= static_cast<SizePolicy>(policy.verticalStretch() & 0xff) << 8;
    value |= static_cast<SizePolicy>(policy.horizontalPolicy() & 0xf) << 16;
    value |= static_cast<SizePolicy>(policy.verticalPolicy() & 0xf) << 20;
    value |= static_cast<SizePolicy>(policy.controlType() & 0x1f) << 24;
    if (policy.hasHeightForWidth())
        value |= SizePolicy(1) << 29;
    if (policy.hasWidthForHeight())
        value |= SizePolicy(1) << 30;
    if (policy.retainSizeWhenHidden())
        value |= SizePolicy(1) << 31;
    return value;
}

void BaseImplQt::SetSizePolicy(const SizePolicy &value)
{
    QWidget *widget = widgetOrThrow();
    const auto horizontal = static_cast<QSizePolicy::Policy>((value >> 16) & 0xf);
    const auto vertical = static_cast<QSizePolicy::Policy>((value >> 20) & 0xf);
    QSizePolicy::ControlType type = QSizePolicy::DefaultType;
    const SizePolicy typeBits = (value >> 24) & 0x1f;
    for (int bit = 0; bit < 5; ++bit) {
        if (typeBits & (1u << bit)) {
            type = static_cast<QSizePolicy::ControlType>(1u << bit);
            break;
        }
    }
    QSizePolicy policy(horizontal, vertical, type);
    policy.setHorizontalStretch(static_cast<int>(value & 0xff));
    policy.setVerticalStretch(static_cast<int>((value >> 8) & 0xff));
    policy.setHeightForWidth((value >> 29) & 1);
    policy.setWidthForHeight((value >> 30) & 1);
    policy.setRetainSizeWhenHidden((value >> 31) & 1);
    EventGate::Hold hold;
    widget->setSizePolicy(policy);
}

void BaseImplQt::SetAcceptDrops(bool accept)
{
    QWidget *widget = GetWidget();
    if (!widget)
        return;
    widget->setAcceptDrops(accept);
    m_acceptDrops = accept;
}

bool BaseImplQt::IsAcceptDrops()
{
    return m_acceptDrops;
}

void BaseImplQt::SetTrackMouseEvent()
{
    QWidget *widget = GetWidget();
    if (!widget)
        return;
    widget->setAttribute(Qt::WA_Hover);
    SetTrackMouseFlag(true);
}

bool BaseImplQt::IsTrackMouseEvent()
{
    return m_trackMouse;
}

void BaseImplQt::SetTrackMouseFlag(bool track)
{
    m_trackMouse = track;
}

int BaseImplQt::GetWidthForText(std::wstring &text, FontData *font)
{
    const QString qtext = QString::fromStdWString(text);
    if (font) {
        QFont measured(QString::fromStdWString(font->faceName));
        if (font->size > 0)
            measured.setPointSizeF(font->size);
        return QFontMetrics(measured).horizontalAdvance(qtext);
    }
    return widgetOrThrow()->fontMetrics().horizontalAdvance(qtext);
}

bool BaseImplQt::showBalloon(const std::wstring &text, bool persistent, bool closeOnInteraction,
                             const std::function<void(PromptsPopup &)> &decorate)
{
    // A balloon is a window of its own, placed among the control window's
    // children: made while Qt takes that window apart, it would join a focus
    // chain Qt is unlinking. Such a control counts as gone.
    if (WindowBeingDestroyed())
        return false;
    if (!m_balloon)
        m_balloon = std::make_shared<PromptsPopup>();
    // Kept for the call: showing delivers what waited, and a handler may
    // release the control.
    const std::shared_ptr<PromptsPopup> balloon = m_balloon;
    if (!balloon->Create(GetWidget(), text, 0, persistent ? kLongestBalloonTime : kBalloonTime, closeOnInteraction))
        return false;
    decorate(*balloon);
    balloon->Show(true, -1, -1);
    return true;
}

// Balloons with an icon type leave the balloon up while the user works in the
// control; the others close on interaction.
bool BaseImplQt::ShowBalloonTipEx(const std::wstring &text, const std::wstring &iconPath, bool, bool persistent)
{
    return showBalloon(text, persistent, true, [&](PromptsPopup &b) { b.SetTitleIcon(iconPath); });
}

bool BaseImplQt::ShowBalloonTipEx(const std::wstring &text, const unsigned char *iconBytes, int byteCount, bool,
                                  bool persistent)
{
    return showBalloon(text, persistent, true, [&](PromptsPopup &b) { b.SetTitleIcon(iconBytes, byteCount); });
}

bool BaseImplQt::ShowBalloonTipEx(const std::wstring &text, BalloonTipIconType icon, bool, bool persistent)
{
    return showBalloon(text, persistent, false, [&](PromptsPopup &b) { b.SetTitleIcon(icon); });
}

bool BaseImplQt::ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, const std::wstring &iconPath,
                                  bool, bool persistent)
{
    return showBalloon(text, persistent, true, [&](PromptsPopup &b) {
        b.SetTitle(title);
        b.SetTitleIcon(iconPath);
    });
}

bool BaseImplQt::ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, const unsigned char *iconBytes,
                                  int byteCount, bool, bool persistent)
{
    return showBalloon(text, persistent, true, [&](PromptsPopup &b) {
        b.SetTitleIcon(iconBytes, byteCount);
        b.SetTitle(title);
    });
}

bool BaseImplQt::ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon, bool,
                                  bool persistent)
{
    return showBalloon(text, persistent, false, [&](PromptsPopup &b) {
        b.SetTitle(title);
        b.SetTitleIcon(icon);
    });
}

bool BaseImplQt::HideBalloonTipEx()
{
    if (!m_balloon)
        return false;
    m_balloon->Show(false, -1, -1);
    return true;
}

bool BaseImplQt::IsBalloonTipDisplayed()
{
    return m_balloon && m_balloon->IsDisplayed();
}

void BaseImplQt::OnSkinChange()
{
}

bool BaseImplQt::ShowCustomToolTip(const QPoint &)
{
    return false;
}

bool BaseImplQt::WouldOwnItself(const QWidget *widget, const QWidget *parent)
{
    // Across windows too: a dialog's window has a parent like any widget.
    for (const QWidget *ancestor = parent; ancestor; ancestor = ancestor->parentWidget()) {
        if (ancestor == widget)
            return true;
    }
    return false;
}

bool BaseImplQt::SetParent(QWidget *parent)
{
    QWidget *widget = widgetOrThrow();
    // Qt makes the widget its own ancestor without a word (a parent that is
    // its own page, a scroll area's viewport), then recurses or loops for good.
    if (WouldOwnItself(widget, parent))
        return false;
    // Moved into or out of a window Qt is taking apart, the widget would join
    // or leave a focus chain Qt is unlinking (a handler of a destruction
    // notice placing a control there): such a control counts as gone.
    if (WindowBeingDestroyed() || BeingDestroyed(parent))
        return false;
    // A new parent hides the widget, moves the focus out of it and drops or
    // makes its native window.
    EventGate::Hold hold;
    // A popup open inside the widget (a combo box's list) would stay in Qt's
    // list of open popups once hidden with its window, taking every click of
    // the application for good: it closes first.
    while (QWidget *popup = QApplication::activePopupWidget()) {
        // Across windows: the popup is a window of its own.
        if (!WouldOwnItself(widget, popup))
            break;
        popup->hide();
        if (QApplication::activePopupWidget() == popup)
            break;
    }
    // A plain setParent drops the window type, which would turn a dialog into
    // a child widget inside its parent.
    if (qobject_cast<QDialog *>(widget))
        widget->setParent(parent, widget->windowFlags());
    else
        widget->setParent(parent);
    return true;
}

void BaseImplQt::ReservedOperation()
{
}

std::int32_t *BaseImplQt::ReservedField()
{
    return &m_reserved;
}

} // namespace AUILib
