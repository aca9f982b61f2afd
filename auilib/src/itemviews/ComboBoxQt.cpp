#include "ComboBoxQt.h"

#include "EventGate.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QChildEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

namespace AUILib {

ComboBoxQt::ComboBoxQt(QWidget *parent)
    : QComboBox(parent)
{
    // The rows' own model, watched before the combo box and its list connect
    // to it: whatever changes the rows (the toolkit, a form, Qt adding a
    // typed row on Enter) holds the toolkit's events until the change is whole.
    auto *rows = new QStandardItemModel(0, 1, this);
    EventGate::Watch(rows, this);
    setModel(rows);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::customContextMenuRequested, this, &ComboBoxQt::ShowContextMenu);
}

void ComboBoxQt::ShowContextMenu(const QPoint &pos)
{
    QLineEdit *edit = lineEdit();
    if (!edit)
        return;
    // The menu is the text field's child: it may go with the field while it runs.
    QPointer<QMenu> menu = edit->createStandardContextMenu();
    const QString paste = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction *action : menu->actions()) {
        if (action->text().startsWith(paste, Qt::CaseSensitive)) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &ComboBoxQt::MyPaste);
            break;
        }
    }
    menu->exec(mapToGlobal(pos));
    delete menu.data();
}

void ComboBoxQt::MyPaste()
{
    const bool pasted = m_pasteDone;
    m_pasteDone = false;
    QLineEdit *edit = lineEdit();
    if (!edit)
        return;
    if (!pasted)
        edit->paste();
    emit onPaste(edit->text().toStdWString());
}

// Qt opens and closes the list as a window of its own, and the platform's
// reports about it arrive while Qt is still placing it: what they raise waits
// until the list is open or closed.
void ComboBoxQt::showPopup()
{
    EventGate::Hold hold;
    QComboBox::showPopup();
    m_dropped = true;
}

void ComboBoxQt::hidePopup()
{
    EventGate::Hold hold;
    QComboBox::hidePopup();
    m_dropped = false;
}

void ComboBoxQt::keyPressEvent(QKeyEvent *event)
{
    const int before = currentIndex();
    // Keys the combo box does not use go on to the text field (a paste pastes there).
    QComboBox::keyPressEvent(event);
    if (event->matches(QKeySequence::Paste)) {
        m_pasteDone = true;
        MyPaste();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) {
        // Qt steps over rows that are not enabled; where no row is left to step
        // to (a header at the top, say) the current row stays, and that is no
        // selection.
        const int now = currentIndex();
        const QModelIndex item = model()->index(now, modelColumn(), rootModelIndex());
        if (now != before && item.isValid() && (item.flags() & Qt::ItemIsSelectable))
            emit onCurrentIndexSelected(now);
        else
            event->ignore();
    }
}

bool ComboBoxQt::eventFilter(QObject *watched, QEvent *event)
{
    // With a text field the keyboard focus is the field's, which would paste on
    // its own without a word to the combo box: the paste key takes the combo
    // box's way instead, as a key pressed on the combo box itself does.
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void ComboBoxQt::childEvent(QChildEvent *event)
{
    // The text field is made by setEditable (or a form); watch it from its start.
    if (event->type() == QEvent::ChildAdded && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    QComboBox::childEvent(event);
}

void ComboBoxQt::paintEvent(QPaintEvent *event)
{
    if (!m_editListMode) {
        QComboBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Text));

    QStyleOptionComboBox combo;
    initStyleOption(&combo);
    style()->drawComplexControl(QStyle::CC_ComboBox, &combo, &painter, this);

    QStyleOptionFrame frame;
    {
        QLineEdit sample;
        frame.initFrom(&sample);
    }
    frame.rect = QRect(QPoint(3, 0), QPoint(width() - 5, height() - 1));
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    frame.midLineWidth = 0;
    frame.features = QStyleOptionFrame::Rounded;
    frame.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, this);

    if (currentIndex() < 0) {
        const QColor dimmed = combo.palette.color(QPalette::ButtonText).lighter(150);
        combo.palette.setBrush(QPalette::All, QPalette::ButtonText, QBrush(dimmed));
    }
    style()->drawControl(QStyle::CE_ComboBoxLabel, &combo, &painter, this);
}

} // namespace AUILib
