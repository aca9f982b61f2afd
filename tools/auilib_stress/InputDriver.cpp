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
#include <QUrl>
#include <QWheelEvent>
#include <QWidget>

#include <climits>

using namespace AUILib;

namespace {

enum Input { Click, DoubleClick, Drag, Key, Type, Wheel, MenuRequest, Focus, Hover, FileDrop, RowDrop, Resize, Close };

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

QPoint pointIn(QWidget *widget, QWidget *target, StressRandom &random)
{
    const QRect area = target->rect();
    if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
        QAbstractItemModel *model = view->model();
        if (model && model->rowCount() > 0 && random.percent(75)) {
            const int row = random.below(model->rowCount() + 1);
            const int column = random.below(qMax(1, model->columnCount()));
            const QRect cell = view->visualRect(model->index(row, column));
            if (cell.isValid()) {
                // The check box or expand mark at the left edge, or somewhere in the cell.
                const int x = random.percent(30) ? cell.left() + static_cast<int>(random.between(-20, 12))
                                                 : cell.left() + random.below(qMax(1, cell.width()));
                return QPoint(x, cell.top() + random.below(qMax(1, cell.height())));
            }
        }
    }
    if (random.percent(8))
        return QPoint(static_cast<int>(random.between(-50, area.width() + 50)),
                      static_cast<int>(random.between(-50, area.height() + 50)));
    return QPoint(random.below(qMax(1, area.width())), random.below(qMax(1, area.height())));
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

void tap(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers held)
{
    QPointer<QWidget> guard = widget;
    QTest::keyPress(widget, key, held);
    if (guard)
        QTest::keyRelease(widget, key, held);
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
    static const int weights[] = {22, 8, 8, 18, 10, 6, 6, 5, 4, 3, 4, 3, 3};
    int roll = random.below(100);
    int input = 0;
    while (roll >= weights[input]) {
        roll -= weights[input];
        ++input;
    }
    if (world.skips(kNames[input])) {
        Trace::instance().line("(" + std::string(kNames[input]) + " is left out)");
        return;
    }
    QWidget *mouse = mouseTarget(widget);
    const std::string head = "input to " + target.name + (world.live(target) ? "" : " (its control is released)") + ": ";
    Trace &trace = Trace::instance();
    switch (static_cast<Input>(input)) {
    case Click:
    case DoubleClick: {
        const QPoint point = pointIn(widget, mouse, random);
        const Qt::MouseButton pressed = button(random);
        const Qt::KeyboardModifiers held = modifiers(random);
        trace.line(head + (input == Click ? "click " : "double click ") + std::to_string(pressed) + " with " +
                   std::to_string(held) + " at " + where(point));
        click(mouse, pressed, held, point, input == DoubleClick);
        break;
    }
    case Drag: {
        const QPoint from = pointIn(widget, mouse, random);
        const QPoint to = pointIn(widget, mouse, random);
        const Qt::KeyboardModifiers held = modifiers(random);
        trace.line(head + "drag from " + where(from) + " to " + where(to));
        QPointer<QWidget> guard = mouse;
        QTest::mousePress(mouse, Qt::LeftButton, held, from);
        for (int i = 1; i <= 4 && guard; ++i)
            sendMove(mouse, from + (to - from) * i / 4, Qt::LeftButton, held);
        if (guard)
            QTest::mouseRelease(mouse, Qt::LeftButton, held, to);
        break;
    }
    case Key:
        trace.line(head + "key");
        key(widget, random);
        break;
    case Type:
        trace.line(head + "typing");
        type(widget, random);
        break;
    case Wheel:
        trace.line(head + "wheel");
        wheel(mouse, random);
        break;
    case MenuRequest: {
        const QPoint point = pointIn(widget, mouse, random);
        const bool keyboard = random.percent(30);
        trace.line(head + "context menu " + (keyboard ? "from the keyboard" : "from the mouse") + " at " + where(point));
        QContextMenuEvent event(keyboard ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse, point,
                                mouse->mapToGlobal(point));
        QApplication::sendEvent(mouse, &event);
        break;
    }
    case Focus: {
        const int form = random.below(3);
        trace.line(head + (form == 0 ? "focus in" : form == 1 ? "focus out" : "window activated"));
        if (form == 0) {
            QApplication::setActiveWindow(widget->window());
            widget->setFocus(Qt::MouseFocusReason);
        } else if (form == 1) {
            widget->clearFocus();
        } else {
            widget->window()->activateWindow();
            QApplication::setActiveWindow(widget->window());
        }
        break;
    }
    case Hover: {
        const QPoint point = pointIn(widget, mouse, random);
        trace.line(head + "hover at " + where(point));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(mouse, &enter);
        QPointer<QWidget> guard = mouse;
        if (guard)
            sendMove(mouse, point, Qt::NoButton, Qt::NoModifier);
        if (guard) {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(mouse, &leave);
        }
        break;
    }
    case FileDrop:
        trace.line(head + "file drop");
        fileDrop(mouse, random);
        break;
    case RowDrop:
        trace.line(head + "row drop");
        rowDrop(world, target, widget, random);
        break;
    case Resize: {
        static const int sizes[] = {1, 10, 120, 400, 800, 1600, 4000};
        const int width = sizes[random.below(7)], height = sizes[random.below(7)];
        trace.line(head + "its window resized to " + std::to_string(width) + "x" + std::to_string(height));
        widget->window()->resize(width, height);
        break;
    }
    case Close: {
        const bool close = random.percent(50);
        trace.line(head + (close ? "its window closed" : "Escape in its window"));
        if (close)
            widget->window()->close();
        else
            tap(widget->window(), Qt::Key_Escape, Qt::NoModifier);
        break;
    }
    }
}
