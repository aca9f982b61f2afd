#include "InputDriver.h"

#include "ListBoxQt.h"
#include "StressRandom.h"
#include "Trace.h"
#include "TreeView.h"
#include "TreeViewQt.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStandardItem>
#include <QTest>

#include <iterator>
#include <utility>
#include <QUrl>
#include <QWheelEvent>
#include <QWidget>

#include <climits>

using namespace AUILib;

namespace {

std::string where(const QPoint &point)
{
    return "(" + std::to_string(point.x()) + ", " + std::to_string(point.y()) + ")";
}

// Where the mouse goes: the viewport of a scroll area (item views, text edits).
QWidget *mouseTarget(QWidget *widget)
{
    if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
        return area->viewport();
    return widget;
}

// A point in `target`, on a cell of an item view now and then. Widgets may sit
// at hostile coordinates: the spans are worked out in 64 bits.
QPoint pointIn(QWidget *widget, QWidget *target, StressRandom &random)
{
    const long long width = qMax(1, target->width());
    const long long height = qMax(1, target->height());
    if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
        QAbstractItemModel *model = view->model();
        if (model && model->rowCount() > 0 && random.percent(75)) {
            const int row = random.below(model->rowCount() + 1);
            const int column = random.below(qMax(1, model->columnCount()));
            const QRect cell = view->visualRect(model->index(row, column));
            const long long left = cell.left();
            const long long cellWidth = static_cast<long long>(cell.right()) - left + 1;
            const long long cellHeight = static_cast<long long>(cell.bottom()) - cell.top() + 1;
            if (cellWidth > 0 && cellHeight > 0 && left > -100000 && left < 100000 && cell.top() > -100000 &&
                cell.top() < 100000) {
                // The check box or expand mark at the left edge, or somewhere in the cell.
                const long long x = random.percent(30) ? left + random.between(-20, 12)
                                                       : left + random.between(0, qMin(cellWidth, 100000LL) - 1);
                return QPoint(static_cast<int>(x),
                              static_cast<int>(cell.top() + random.between(0, qMin(cellHeight, 100000LL) - 1)));
            }
        }
    }
    if (random.percent(8))
        return QPoint(static_cast<int>(random.between(-50, qMin(width, 100000LL) + 50)),
                      static_cast<int>(random.between(-50, qMin(height, 100000LL) + 50)));
    return QPoint(static_cast<int>(random.between(0, qMin(width, 100000LL) - 1)),
                  static_cast<int>(random.between(0, qMin(height, 100000LL) - 1)));
}

Qt::KeyboardModifiers modifiers(StressRandom &random)
{
    const int roll = random.below(100);
    if (roll < 60)
        return Qt::NoModifier;
    if (roll < 75)
        return Qt::ShiftModifier;
    if (roll < 90)
        return Qt::ControlModifier;
    if (roll < 96)
        return Qt::ShiftModifier | Qt::ControlModifier;
    return Qt::AltModifier;
}

Qt::MouseButton button(StressRandom &random)
{
    const int roll = random.below(100);
    return roll < 75 ? Qt::LeftButton : roll < 92 ? Qt::RightButton : Qt::MiddleButton;
}

void sendMove(QWidget *target, const QPoint &point, Qt::MouseButtons buttons, Qt::KeyboardModifiers held)
{
    QMouseEvent move(QEvent::MouseMove, point, target->mapToGlobal(point), Qt::NoButton, buttons, held);
    QApplication::sendEvent(target, &move);
}

// Each press and release is its own event, and a handler of the press may have
// deleted the widget before the release: the release then goes nowhere, as the
// window system would send it nowhere.
void click(QWidget *target, Qt::MouseButton pressed, Qt::KeyboardModifiers held, const QPoint &point, bool twice)
{
    QPointer<QWidget> guard = target;
    QTest::mousePress(target, pressed, held, point);
    if (guard)
        QTest::mouseRelease(target, pressed, held, point);
    if (!twice)
        return;
    if (guard)
        QTest::mousePress(target, pressed, held, point);
    if (guard) {
        QMouseEvent twice(QEvent::MouseButtonDblClick, point, target->mapToGlobal(point), pressed, pressed, held);
        QApplication::sendEvent(target, &twice);
    }
    if (guard)
        QTest::mouseRelease(target, pressed, held, point);
}

// One key event at a time, each to a widget still there: QTest's own press
// and release send the modifiers' events to the widget it was given around
// the key's, whatever a handler of the key did with that widget.
void tap(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers held)
{
    static const std::pair<Qt::KeyboardModifier, Qt::Key> modifiers[] = {
        {Qt::ShiftModifier, Qt::Key_Shift},
        {Qt::ControlModifier, Qt::Key_Control},
        {Qt::AltModifier, Qt::Key_Alt},
        {Qt::MetaModifier, Qt::Key_Meta},
    };
    QPointer<QWidget> guard = widget;
    const auto send = [&guard](bool press, int code, Qt::KeyboardModifiers state, const QString &text) {
        if (guard)
            QTest::simulateEvent(guard.data(), press, code, state, text, false);
    };
    Qt::KeyboardModifiers down;
    for (const auto &modifier : modifiers) {
        if (held & modifier.first) {
            send(true, modifier.second, down, QString());
            down |= modifier.first;
        }
    }
    const char ascii = QTest::keyToAscii(key);
    const QString text = ascii ? QString(QChar::fromLatin1(ascii)) : QString();
    send(true, key, held, text);
    send(false, key, held, text);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
        if (held & it->first) {
            send(false, it->second, down, QString());
            down &= ~it->first;
        }
    }
}

void key(QWidget *widget, StressRandom &random)
{
    static const Qt::Key keys[] = {Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Home,
                                   Qt::Key_End,    Qt::Key_PageUp,   Qt::Key_PageDown, Qt::Key_Space, Qt::Key_Return,
                                   Qt::Key_Enter,  Qt::Key_Escape,   Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Tab,
                                   Qt::Key_Backtab, Qt::Key_F2,      Qt::Key_F4,     Qt::Key_A,      Qt::Key_V,
                                   Qt::Key_C,      Qt::Key_X,        Qt::Key_Z,      Qt::Key_Insert, Qt::Key_Plus,
                                   Qt::Key_Minus,  Qt::Key_Asterisk, Qt::Key_1,      Qt::Key_Period, Qt::Key_Comma};
    const Qt::Key chosen = keys[random.below(static_cast<int>(sizeof(keys) / sizeof(keys[0])))];
    const Qt::KeyboardModifiers held = modifiers(random);
    Trace::instance().line("  key " + QKeySequence(static_cast<int>(chosen) | static_cast<int>(held)).toString().toStdString());
    tap(widget, chosen, held);
}

void type(QWidget *widget, StressRandom &random)
{
    static const char *const texts[] = {"123", "-4.5", "abc", "1p6", "9999999999999999999", "0,5", "x", " ",
                                        "e+308", "A B C", "\xC3\xA4\xE2\x82\xAC", "-", "."};
    const QString text = QString::fromUtf8(texts[random.below(13)]);
    Trace::instance().line("  type \"" + text.toStdString() + "\"");
    QPointer<QWidget> guard = widget;
    for (const QChar character : text) {
        if (!guard)
            return;
        if (character.unicode() < 0x80) {
            const char ascii = static_cast<char>(character.unicode());
            QTest::keyPress(widget, ascii);
            if (guard)
                QTest::keyRelease(widget, ascii);
            continue;
        }
        // QTest knows only ASCII: other characters come as an input method would send them.
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
        if (guard)
            QApplication::sendEvent(widget, &release);
    }
}

void wheel(QWidget *target, StressRandom &random)
{
    static const int deltas[] = {120, -120, 240, -360, 2400, -2400, 32767, -32768, 40000, 1};
    const QPoint point = pointIn(target, target, random);
    const int delta = deltas[random.below(10)];
    const bool horizontal = random.percent(20);
    const Qt::KeyboardModifiers held = modifiers(random);
    Trace::instance().line("  wheel " + std::to_string(delta) + (horizontal ? " horizontal at " : " at ") + where(point));
    QWheelEvent event(point, target->mapToGlobal(point), QPoint(), horizontal ? QPoint(delta, 0) : QPoint(0, delta),
                      Qt::NoButton, held, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void fileDrop(QWidget *target, StressRandom &random)
{
    QMimeData data;
    const int form = random.below(3);
    if (form == 0)
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/no/such/file.pdf")), QUrl(QStringLiteral("file:///tmp/a%20b"))});
    else if (form == 1)
        data.setUrls({});
    else
        data.setText(QStringLiteral("dropped text"));
    // The platform drops only on what is shown: a plain text edit hidden with
    // its window has no layout for the text dropped, and Qt reads a line of
    // it that is not there.
    if (!target->isVisible()) {
        Trace::instance().line("  file drop: not shown");
        return;
    }
    const QPoint point = pointIn(target, target, random);
    Trace::instance().line("  file drop, form " + std::to_string(form) + ", at " + where(point));
    QPointer<QWidget> guard = target;
    QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (guard)
        QApplication::sendEvent(target, &move);
    QDropEvent drop(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (guard)
        QApplication::sendEvent(target, &drop);
}

void rowDrop(World &world, World::Control &target, QWidget *widget, StressRandom &random)
{
    if (auto *table = qobject_cast<ListBoxQt *>(widget)) {
        static const int odd[] = {-1, INT_MAX, INT_MIN, -2};
        const int rows = table->rowCount();
        const int row = random.percent(80) ? static_cast<int>(random.between(0, rows)) : odd[random.below(4)];
        Trace::instance().line("  row drop: the selected rows to row " + std::to_string(row));
        table->MoveSelectedRows(row);
        return;
    }
    auto *tree = qobject_cast<TreeViewQt *>(widget);
    BaseGUIObject *control = world.live(target);
    if (!tree || !control || control->GetControlKind() != ControlKindTreeView) {
        Trace::instance().line("  row drop: nothing to drop on");
        return;
    }
    auto *owner = static_cast<TreeView *>(control);
    const std::list<QStandardItem *> selected = owner->SelectedItems();
    std::vector<QStandardItem *> items(selected.begin(), selected.end());
    const QPoint point = pointIn(widget, tree->viewport(), random);
    QStandardItem *on = owner->HitTest(Point{point.x(), point.y()}, nullptr);
    const bool asChild = random.percent(50);
    Trace::instance().line("  row drop: " + std::to_string(items.size()) + " selected items on the item at " +
                           where(point) + (asChild ? " as a child" : " as a sibling"));
    tree->MoveItems(items, on, asChild);
}

// One input on its way: the control, its widget, where the mouse goes (a scroll
// area's viewport) and the trace line's head.
struct Gesture
{
    World &world;
    World::Control &target;
    QWidget *widget;
    QWidget *mouse;
    StressRandom &random;
    std::string head;
};

void clickOrTwice(Gesture &g, bool twice)
{
    const QPoint point = pointIn(g.widget, g.mouse, g.random);
    const Qt::MouseButton pressed = button(g.random);
    const Qt::KeyboardModifiers held = modifiers(g.random);
    Trace::instance().line(g.head + (twice ? "double click " : "click ") + std::to_string(pressed) + " with " +
                           std::to_string(held) + " at " + where(point));
    click(g.mouse, pressed, held, point, twice);
}

void drag(Gesture &g)
{
    const QPoint from = pointIn(g.widget, g.mouse, g.random);
    const QPoint to = pointIn(g.widget, g.mouse, g.random);
    const Qt::KeyboardModifiers held = modifiers(g.random);
    Trace::instance().line(g.head + "drag from " + where(from) + " to " + where(to));
    QPointer<QWidget> guard = g.mouse;
    QTest::mousePress(g.mouse, Qt::LeftButton, held, from);
    for (int i = 1; i <= 4 && guard; ++i)
        sendMove(g.mouse, from + (to - from) * i / 4, Qt::LeftButton, held);
    if (guard)
        QTest::mouseRelease(g.mouse, Qt::LeftButton, held, to);
}

void menuRequest(Gesture &g)
{
    const QPoint point = pointIn(g.widget, g.mouse, g.random);
    const bool keyboard = g.random.percent(30);
    Trace::instance().line(g.head + "context menu " + (keyboard ? "from the keyboard" : "from the mouse") + " at " +
                           where(point));
    QContextMenuEvent event(keyboard ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse, point,
                            g.mouse->mapToGlobal(point));
    QApplication::sendEvent(g.mouse, &event);
}

void focus(Gesture &g)
{
    const int form = g.random.below(3);
    Trace::instance().line(g.head + (form == 0 ? "focus in" : form == 1 ? "focus out" : "window activated"));
    if (form == 0) {
        QApplication::setActiveWindow(g.widget->window());
        g.widget->setFocus(Qt::MouseFocusReason);
    } else if (form == 1) {
        g.widget->clearFocus();
    } else {
        g.widget->window()->activateWindow();
        QApplication::setActiveWindow(g.widget->window());
    }
}

void hover(Gesture &g)
{
    const QPoint point = pointIn(g.widget, g.mouse, g.random);
    Trace::instance().line(g.head + "hover at " + where(point));
    QPointer<QWidget> guard = g.mouse;
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(g.mouse, &enter);
    if (guard)
        sendMove(g.mouse, point, Qt::NoButton, Qt::NoModifier);
    if (guard) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(g.mouse, &leave);
    }
}

void resizeWindow(Gesture &g)
{
    static const int sizes[] = {1, 10, 120, 400, 800, 1600, 4000};
    const int width = sizes[g.random.below(7)];
    const int height = sizes[g.random.below(7)];
    Trace::instance().line(g.head + "its window resized to " + std::to_string(width) + "x" + std::to_string(height));
    g.widget->window()->resize(width, height);
}

void closeWindow(Gesture &g)
{
    const bool close = g.random.percent(50);
    Trace::instance().line(g.head + (close ? "its window closed" : "Escape in its window"));
    if (close)
        g.widget->window()->close();
    else
        tap(g.widget->window(), Qt::Key_Escape, Qt::NoModifier);
}

using InputFunction = void (*)(Gesture &);

// In the order of InputDriver::kNames, with their weights (of 100).
const struct
{
    InputFunction run;
    int weight;
} kInputs[] = {
    {[](Gesture &g) { clickOrTwice(g, false); }, 22},
    {[](Gesture &g) { clickOrTwice(g, true); }, 8},
    {drag, 8},
    {[](Gesture &g) {
         Trace::instance().line(g.head + "key");
         key(g.widget, g.random);
     },
     18},
    {[](Gesture &g) {
         Trace::instance().line(g.head + "typing");
         type(g.widget, g.random);
     },
     10},
    {[](Gesture &g) {
         Trace::instance().line(g.head + "wheel");
         wheel(g.mouse, g.random);
     },
     6},
    {menuRequest, 6},
    {focus, 5},
    {hover, 4},
    {[](Gesture &g) {
         Trace::instance().line(g.head + "file drop");
         fileDrop(g.mouse, g.random);
     },
     3},
    {[](Gesture &g) {
         Trace::instance().line(g.head + "row drop");
         rowDrop(g.world, g.target, g.widget, g.random);
     },
     4},
    {resizeWindow, 3},
    {closeWindow, 3},
};

} // namespace

const char *const InputDriver::kNames[] = {"click",  "double-click", "drag",      "key",      "type",
                                           "wheel",  "context-menu", "focus",     "hover",    "file-drop",
                                           "row-drop", "resize-window", "close-window"};
const int InputDriver::kCount = 13;

void InputDriver::act(World &world, World::Control &target, StressRandom &random)
{
    QWidget *widget = target.widget;
    if (BaseGUIObject *control = world.live(target))
        if (QWidget *now = control->GetPlatformHandle())
            widget = now;
    if (!widget) {
        Trace::instance().line(target.name + ": its widget is gone");
        return;
    }
    int roll = random.below(100);
    int input = 0;
    while (roll >= kInputs[input].weight) {
        roll -= kInputs[input].weight;
        ++input;
    }
    if (world.skips(kNames[input])) {
        Trace::instance().line("(" + std::string(kNames[input]) + " is left out)");
        return;
    }
    Gesture gesture{world, target, widget, mouseTarget(widget), random,
                    "input to " + target.name + (world.live(target) ? "" : " (its control is released)") + ": "};
    kInputs[input].run(gesture);
}
