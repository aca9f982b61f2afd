#include "SizeBound.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <climits>

namespace AUILib {

namespace {

// Allowed whatever the screens (none at all included): a window of 4,096 x
// 4,096 pixels needs 64 MB, and a form or a list made for a larger screen
// keeps its size on a small one.
constexpr int kAlwaysAllowed = 4096;

int bounded(double length, int largest)
{
    if (!(length > 0))
        return 0;
    return static_cast<int>(std::min(length, static_cast<double>(largest)));
}

// A rectangle's size read from its edges: QRect's own width() and height()
// overflow for a window Qt placed from a point near the ends of int (a menu
// run at INT_MAX), and such a size is past the bound anyway.
QSize sizeOf(const QRect &rect)
{
    const auto length = [](int first, int last) {
        return static_cast<int>(std::clamp<long long>(static_cast<long long>(last) - first + 1, 0, INT_MAX));
    };
    return QSize(length(rect.left(), rect.right()), length(rect.top(), rect.bottom()));
}

// Sees every resize in the application before the window, its layout and its
// handlers do. A window past the bound (its layout set its minimum size to
// what its controls need together and grew it to that) is brought back to
// the bound at once, before anything paints at the larger size; the larger
// resize is then swallowed, and the window hears of the bounded one instead.
// The layout sets the minimum size again at its next pass, and the window is
// brought back again: what the window lays out in it is clipped, nothing more.
class WindowGuard : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Resize || !watched->isWidgetType())
            return false;
        auto *window = static_cast<QWidget *>(watched);
        if (!window->isWindow())
            return false;
        const QSize size = sizeOf(window->geometry());
        const QSize allowed = SizeBound::Bounded(size);
        if (allowed == size)
            return false;
        const QSize minimum = window->minimumSize();
        if (SizeBound::Bounded(minimum) != minimum)
            window->setMinimumSize(SizeBound::Bounded(minimum));
        // A shown window hears of the bounded size from Qt now; one that
        // is about to show would only have its pending resize cleared.
        window->resize(allowed);
        if (!window->isVisible()) {
            QResizeEvent resized(window->size(), static_cast<QResizeEvent *>(event)->oldSize());
            QCoreApplication::sendEvent(window, &resized);
        }
        return true;
    }
};

QPointer<WindowGuard> g_guard;

} // namespace

QSize SizeBound::Largest()
{
    QSize largest(0, 0);
    const auto screens = QGuiApplication::screens();
    for (const QScreen *screen : screens)
        largest = largest.expandedTo(screen->geometry().size());
    return (largest * 2)
        .expandedTo(QSize(kAlwaysAllowed, kAlwaysAllowed))
        .boundedTo(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

int SizeBound::Width(double width)
{
    return bounded(width, Largest().width());
}

int SizeBound::Height(double height)
{
    return bounded(height, Largest().height());
}

QSize SizeBound::Bounded(const QSize &size)
{
    const QSize largest = Largest();
    return QSize(bounded(size.width(), largest.width()), bounded(size.height(), largest.height()));
}

QSize SizeBound::Square(double side)
{
    const int bounded = Width(side);
    return QSize(bounded, bounded);
}

void SizeBound::Apply(QWidget *widget)
{
    if (!widget)
        return;
    const QSize minimum = widget->minimumSize();
    if (Bounded(minimum) != minimum)
        widget->setMinimumSize(Bounded(minimum));
    const QSize size = widget->size();
    if (Bounded(size) != size)
        widget->resize(Bounded(size));
}

void SizeBound::GuardWindows()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || g_guard)
        return;
    // A child of the application: it goes with it, and the next application
    // gets a guard of its own.
    g_guard = new WindowGuard(app);
    app->installEventFilter(g_guard);
}

} // namespace AUILib
