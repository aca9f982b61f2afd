#include "ItemDelegate.h"

#include "ComboBox.h"
#include "CustomQTableWidgetItem.h"
#include "DateEdit.h"
#include "Edit.h"
#include "EventGate.h"
#include "ItemCheckOutline.h"
#include "ListBoxImpl.h"
#include "ObDateTime.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPen>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>

#include <vector>

namespace AUILib {

namespace {

// A date cell's ISO 8601 text as a value: a date and time, a date or a time.
QDateTime dateTimeFromCell(const QString &text)
{
    QDateTime value = QDateTime::fromString(text, Qt::ISODate);
    if (value.isValid())
        return value;
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (date.isValid())
        return QDateTime(date, QTime(0, 0));
    const QTime time = QTime::fromString(text, Qt::ISODate);
    if (time.isValid())
        return QDateTime(QDate(2000, 1, 1), time);
    return QDateTime();
}

} // namespace

ItemDelegate::ItemDelegate(ListBox *owner, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_owner(owner)
{
}

ItemDelegate::~ItemDelegate() = default;

std::shared_ptr<ListBox::impl> ItemDelegate::list() const
{
    ListBox *owner = m_owner.get();
    return owner ? std::static_pointer_cast<ListBox::impl>(owner->GetBaseImpl()) : nullptr;
}

QWidget *ItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    Q_UNUSED(parent);
    const std::shared_ptr<ListBox::impl> owner = list();
    ListBoxQt *table = owner ? owner->Table() : nullptr;
    if (!table || !index.isValid() || index.row() < 0 || index.column() < 0 || !index.model())
        return nullptr;
    m_oldText.clear();
    const auto *cell = dynamic_cast<const CustomQTableWidgetItem *>(table->item(index.row(), index.column()));
    const ListBox::EditMode itemMode = cell ? cell->GetEditMode() : ListBox::EditDefault;
    ListBox::EditMode columnMode = ListBox::EditDefault;
    const bool hasColumnMode = owner->ColumnEditMode(index.column(), columnMode);
    if (itemMode == ListBox::EditNone || (hasColumnMode && columnMode == ListBox::EditNone))
        return nullptr;
    // The raw text the cell held: OnItemTextEdited reports it as the old text.
    m_oldText = index.data(Qt::EditRole).toString().toStdWString();

    const bool byColumn = itemMode == ListBox::EditDefault && hasColumnMode;
    QWidget *editor = nullptr;
    if (itemMode == ListBox::EditDate || (byColumn && columnMode == ListBox::EditDate))
        editor = makeDateEditor(table, index.data(Qt::EditRole).toString());
    else if (itemMode == ListBox::EditComboBox || (byColumn && columnMode == ListBox::EditComboBox))
        editor = makeComboEditor(table);
    if (!editor &&
        (itemMode == ListBox::EditText || owner->IsSetEditItems() != ListBox::NotEditable ||
         (byColumn && columnMode == ListBox::EditText)))
        editor = makeTextEditor(*owner, table);
    if (!editor)
        return nullptr;

    editor->setFont(option.font);
    owner->ApplyShowSelection(false);
    owner->SetEditedCell(index);
    // The view asks for the editor from its edit(), which the list's table
    // holds: these reach their handlers once the editor is in place, and a
    // handler that closes it, or removes its row, finds it there.
    BaseGUIObject *control = nullptr;
    if (m_textEditor && editor == m_textEditor->GetPlatformHandle()) {
        control = m_textEditor.get();
        if (owner->IsSetEditItems() != ListBox::EditSilently)
            owner->Fire(&ListBox::OnEditStart, RowRef(index), ControlRef<Edit>(m_textEditor.get()));
    } else if (m_comboEditor && editor == m_comboEditor->GetPlatformHandle()) {
        control = m_comboEditor.get();
    } else if (m_dateEditor) {
        control = m_dateEditor.get();
    }
    owner->Fire(&ListBox::OnEditorCreated, RowRef(index), index.column(), ControlRef<BaseGUIObject>(control));
    // The view fills the editor from its cell before those handlers run; what
    // they set (a date edit's mode, say) may change what it shows. Once they
    // ran, an editor still open is filled again, as though they had run first.
    ItemRef<int> edited = RowRef(index);
    edited.Hold();
    EventGate::Deliver([delegate = QPointer<ItemDelegate>(const_cast<ItemDelegate *>(this)),
                        guarded = QPointer<QWidget>(editor), edited] {
        if (delegate && guarded && edited.IsThere() && delegate->isOpen(guarded))
            delegate->setEditorData(guarded, edited.Index());
    });
    return editor;
}

bool ItemDelegate::isOpen(const QWidget *editor) const
{
    return (m_textEditor && m_textEditor->GetPlatformHandle() == editor) ||
           (m_comboEditor && m_comboEditor->GetPlatformHandle() == editor) ||
           (m_dateEditor && m_dateEditor->GetPlatformHandle() == editor);
}

QWidget *ItemDelegate::makeTextEditor(ListBox::impl &list, QWidget *parent) const
{
    m_textEditor = std::make_unique<Edit>();
    m_textEditor->Create(parent);
    QWidget *widget = m_textEditor->GetPlatformHandle();
    if (list.IsSetEditItems() != ListBox::NotEditable) {
        widget->setAttribute(Qt::WA_MacShowFocusRect, false);
        if (list.IsSetEditItems() == ListBox::EditWithoutFrame) {
            m_textEditor->SetFrameMode(false);
        } else {
            const QRgb highlight = QApplication::palette().color(QPalette::Current, QPalette::Highlight).rgba();
            widget->setStyleSheet(widget->styleSheet() +
                                  QStringLiteral("border: 1px solid #%1;").arg(highlight, 0, 16));
        }
    }
    return widget;
}

QWidget *ItemDelegate::makeComboEditor(QWidget *parent) const
{
    m_comboEditor = std::make_unique<ComboBox>();
    m_comboEditor->Create(parent);
    return m_comboEditor->GetPlatformHandle();
}

QWidget *ItemDelegate::makeDateEditor(QWidget *parent, const QString &text) const
{
    Q_UNUSED(text);
    m_dateEditor = std::make_unique<DateEdit>();
    m_dateEditor->Create(parent);
    return m_dateEditor->GetPlatformHandle();
}

void ItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (!index.isValid())
        return;
    const QString text = index.data(Qt::EditRole).toString();
    const std::shared_ptr<ListBox::impl> owner = list();
    if (m_textEditor) {
        if (auto *line = qobject_cast<QLineEdit *>(m_textEditor->GetPlatformHandle())) {
            line->setText(text);
            if (owner && owner->IsSetEditItems() == ListBox::EditWithoutFrame) {
                QPointer<QLineEdit> guarded(line);
                QTimer::singleShot(0, line, [guarded] {
                    if (guarded)
                        guarded->deselect();
                });
            }
        }
    }
    if (m_dateEditor) {
        const QDateTime value = dateTimeFromCell(text);
        if (value.isValid()) {
            ObDateTime date;
            date.year = static_cast<std::uint16_t>(value.date().year());
            date.month = static_cast<std::uint16_t>(value.date().month());
            date.day = static_cast<std::uint16_t>(value.date().day());
            date.hour = static_cast<std::uint16_t>(value.time().hour());
            date.minute = static_cast<std::uint16_t>(value.time().minute());
            date.second = static_cast<std::uint16_t>(value.time().second());
            m_dateEditor->SetDateTime(date);
        }
    }
    Q_UNUSED(editor);
}

void ItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *date = qobject_cast<QDateTimeEdit *>(editor);
    if (date && m_dateEditor && m_dateEditor->GetPlatformHandle() == editor) {
        // The editor's mode decides what the cell keeps: date and time, a time or a date.
        QString text;
        switch (m_dateEditor->GetMode()) {
        case DateEdit::DateEditModeDateTime:
            text = date->dateTime().toString(Qt::ISODate);
            break;
        case DateEdit::DateEditModeTime:
            text = date->time().toString(Qt::ISODate);
            break;
        default:
            text = date->date().toString(Qt::ISODate);
            break;
        }
        model->setData(index, text, Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void ItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    int headerHeight = 0;
    int offset = 1;
    const QRect cellRect = option.rect;
    if (auto *table = qobject_cast<QTableWidget *>(editor->parentWidget())) {
        headerHeight = table->horizontalHeader()->isHidden() ? 0 : table->horizontalHeader()->height();
        const std::shared_ptr<ListBox::impl> owner = list();
        if (QTableWidgetItem *first = table->item(index.row(), 0)) {
            QStyleOptionViewItem firstOption;
            firstOption.initFrom(table);
            firstOption.font = table->font();
            firstOption.fontMetrics = table->fontMetrics();
            const int alignment = first->textAlignment();
            firstOption.displayAlignment =
                alignment ? Qt::Alignment(alignment) : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
            firstOption.text = first->text();
            firstOption.features |= QStyleOptionViewItem::HasDisplay;
            firstOption.rect = table->visualItemRect(first);
            if (!first->icon().isNull()) {
                firstOption.features |= QStyleOptionViewItem::HasDecoration;
                firstOption.icon = first->icon();
                firstOption.decorationSize = table->iconSize();
            }
            if (owner && owner->GetCheckMode() != ListBox::NoCheck)
                firstOption.features |= QStyleOptionViewItem::HasCheckIndicator;
            const QRect text = table->style()->subElementRect(QStyle::SE_ItemViewItemText, &firstOption, table);
            // The text's inset within its own cell, so scrolling does not shift the editor.
            offset = 1 + text.left() - firstOption.rect.left();
        }
    }
    editor->setGeometry(QRect(QPoint(cellRect.left() + offset, cellRect.top() + headerHeight + 1),
                              QPoint(cellRect.right() + 1, cellRect.bottom() + headerHeight - 1)));
}

void ItemDelegate::CloseAllEditors()
{
    // The ends of the edits are reported once every editor is closed.
    EventGate::Hold hold;
    std::vector<QPointer<QWidget>> editors;
    if (m_textEditor)
        editors.emplace_back(m_textEditor->GetPlatformHandle());
    if (m_comboEditor)
        editors.emplace_back(m_comboEditor->GetPlatformHandle());
    if (m_dateEditor)
        editors.emplace_back(m_dateEditor->GetPlatformHandle());
    for (const QPointer<QWidget> &editor : editors) {
        if (editor)
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    m_oldText.clear();
}

bool ItemDelegate::EditorClosed()
{
    const bool hadDate = m_dateEditor != nullptr;
    m_textEditor.reset();
    m_comboEditor.reset();
    m_dateEditor.reset();
    m_oldText.clear();
    return hadDate;
}

void ItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (index.data(Qt::CheckStateRole).isValid()) {
        // The table takes the application's style, which may leave the box's
        // edge unseen on a dark row.
        QStyleOptionViewItem check(option);
        initStyleOption(&check, index);
        const QWidget *widget = check.widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        check.rect = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &check, widget);
        DrawItemCheckOutline(check, painter, style, widget);
    }
    const std::shared_ptr<ListBox::impl> owner = list();
    ListBoxQt *table = owner ? owner->Table() : nullptr;
    if (!table)
        return;
    // Rows are selected whole, so the cell's state is its row's.
    const bool selected = option.state & QStyle::State_Selected;
    const bool button = owner->RowButtonColumn() == index.column();
    const bool picture = selected && !index.data(Qt::DecorationRole).isNull();
    if (!owner->AreItemsUnderlined() && !button && !picture)
        return;
    painter->save();
    const QRect &rect = option.rect;
    if (owner->AreItemsUnderlined()) {
        painter->setPen(QPen(QApplication::palette().brush(QPalette::Current, QPalette::Midlight), 1.0, Qt::SolidLine,
                             Qt::SquareCap, Qt::BevelJoin));
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    if (button) {
        if (!table->item(index.row(), index.column())) {
            // The hit test finds the button through a cell; made while painting,
            // it is no change anyone hears of.
            const QSignalBlocker blockTable(table);
            const QSignalBlocker blockModel(table->model());
            table->setItem(index.row(), index.column(), new QTableWidgetItem);
        }
        if (selected)
            painter->fillRect(rect, QApplication::palette().brush(QPalette::Current, QPalette::Light));
        const QImage &image = owner->RowButtonImage();
        painter->drawImage(rect.left() + (rect.width() - image.width()) / 2,
                           rect.top() + (rect.height() - image.height()) / 2, image);
    }
    if (picture) {
        QStyleOptionViewItem cellOption(option);
        initStyleOption(&cellOption, index);
        if ((cellOption.features & QStyleOptionViewItem::HasDecoration) && !cellOption.icon.isNull())
            paintSelectedPicture(painter, cellOption, cellOption.features & QStyleOptionViewItem::HasCheckIndicator);
    }
    painter->restore();
}

void ItemDelegate::paintSelectedPicture(QPainter *painter, const QStyleOptionViewItem &option, bool checks) const
{
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_HeaderMargin, &option, widget) + 1;
    const QSize size = option.decorationSize;
    const QPixmap picture = option.icon.pixmap(size, QIcon::Normal, QIcon::Off);
    const QRect &rect = option.rect;
    const QBrush light = QApplication::palette().brush(QPalette::Current, QPalette::Light);
    int left = rect.left() + margin;
    if (checks) {
        const QRect check = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, widget);
        left = rect.left() + check.left() + check.right() + 1 + margin;
    }
    painter->fillRect(QRect(QPoint(left - margin, rect.top()), QPoint(left - margin + size.width() + 2 * margin,
                                                                      rect.bottom())),
                      light);
    painter->drawPixmap(left, rect.top() + (rect.height() - size.height()) / 2, picture);
}

} // namespace AUILib
