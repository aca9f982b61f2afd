#include "ComboBoxImpl.h"

#include "AUILibUtils.h"
#include "ComboBoxItemDelegate.h"
#include "Pictures.h"
#include "PromptsPopup.h"
#include "WidgetFonts.h"

#include <QAbstractItemModel>
#include <QCompleter>
#include <QFont>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStandardItemModel>

#include <algorithm>

namespace AUILib {

namespace {

bool IsUnsetFont(const FontData &font)
{
    return font.faceName.empty() && font.size == -1.0 && font.bold == -1 && font.italic == -1 && font.underline == -1;
}

QString ColorRuleName(unsigned int color)
{
    return QColor::fromRgb(static_cast<QRgb>(color) | 0xff000000u).name(QColor::HexArgb);
}

} // namespace

ComboBox::impl::impl(ComboBox *owner)
    : BaseImplQt(owner)
{
    ComboBoxQt *widget = MakeWidget<ComboBoxQt>();
    // The row's font first, so that a handler of OnSelectionChanged sees it.
    Connect(widget, QOverload<int>::of(&QComboBox::currentIndexChanged), [this](int index) { followItemFont(index); });
    Connect(widget, &QComboBox::editTextChanged, [this](const QString &text) { onEditTextChanged(text); });
    // Rows are named by identity: reported under their number at delivery,
    // or to nobody once gone; no current row is -1.
    Connect(widget, QOverload<int>::of(&QComboBox::currentIndexChanged), [this](int index) {
        const QModelIndex current = rowIndex(index);
        current.isValid() ? Fire(&ComboBox::OnSelectionChanged, RowRef(current))
                          : Fire(&ComboBox::OnSelectionChanged, -1);
    });
    Connect(widget, &ComboBoxQt::onPaste, [this](const std::wstring &text) { Fire(&ComboBox::OnPaste, text); });
    Connect(widget, &ComboBoxQt::onCurrentIndexSelected,
            [this](int index) { Fire(&ComboBox::OnItemSelected, RowRef(rowIndex(index))); });
    m_delegate = new ItemDelegate(widget);
    widget->setItemDelegate(m_delegate);
}

ComboBox::impl::~impl()
{
    m_balloon.reset();
}

QModelIndex ComboBox::impl::rowIndex(int row) const
{
    ComboBoxQt *widget = combo();
    if (!widget || row < 0 || row >= widget->count())
        return QModelIndex();
    return widget->model()->index(row, widget->modelColumn(), widget->rootModelIndex());
}

QModelIndex ComboBox::impl::insertRow(int index, const std::wstring &text, const any &data)
{
    ComboBoxQt *widget = combo();
    if (!widget)
        return QModelIndex();
    const int row = std::clamp(index, 0, widget->count());
    QVariant id;
    if (!data.empty())
        id = m_itemData.Add(data, 0);
    widget->insertItem(row, QIcon(), QString::fromStdWString(text), id);
    return rowIndex(row);
}

int ComboBox::impl::InsertItem(int index, const std::wstring &text, const any &data)
{
    ItemRef<int> item;
    {
        // The first row becomes current, which is reported once the row is in.
        EventGate::Hold hold;
        item = RowRef(insertRow(index, text, data));
        item.Hold();
    }
    // A handler may have moved the row, or taken it (or the combo box) away.
    return IsLive() && item.IsThere() ? item.Row() : -1;
}

int ComboBox::impl::InsertSeparator(int index, const std::wstring &text, const any &data)
{
    ItemRef<int> item;
    {
        // Reported once the row is whole: a handler sees a finished header.
        EventGate::Hold hold;
        ComboBoxQt *widget = combo();
        if (!widget)
            return -1;
        if (text.empty()) {
            // Qt marks the row "separator" and makes it neither selectable nor enabled.
            const int row = std::clamp(index, 0, widget->count());
            widget->insertSeparator(row);
            item = RowRef(rowIndex(row));
        } else {
            item = RowRef(insertRow(index, text, data));
            markHeader(item.Index());
        }
        item.Hold();
    }
    return IsLive() && item.IsThere() ? item.Row() : -1;
}

void ComboBox::impl::markHeader(const QModelIndex &row)
{
    ComboBoxQt *widget = combo();
    if (!widget || !row.isValid())
        return;
    QAbstractItemModel *model = widget->model();
    model->setData(row, QStringLiteral("header"), Qt::AccessibleDescriptionRole);
    if (auto *standard = qobject_cast<QStandardItemModel *>(model)) {
        if (QStandardItem *header = standard->itemFromIndex(row))
            header->setFlags(header->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable));
    }
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    model->setData(row, font, Qt::FontRole);
}

void ComboBox::impl::AddPicture(int index, const std::wstring &path, ScalePicture scale, Size size)
{
    if (!combo())
        return;
    showPicture(index, PictureFromFile(QString::fromStdWString(path), size.height), scale);
}

void ComboBox::impl::AddPicture(int index, const unsigned char *bytes, int length, ImageTypes type,
                                ScalePicture scale, Size size)
{
    ComboBoxQt *widget = combo();
    if (!widget)
        return;
    if (!bytes) {
        // The field may show the row: it is written again.
        EventGate::Hold hold;
        widget->setItemIcon(index, QIcon());
        return;
    }
    const int iconWidth = size.height >= 1 ? size.height : std::min(widget->width(), widget->height());
    showPicture(index, PictureFromBytes(bytes, length, type, iconWidth), scale);
}

void ComboBox::impl::showPicture(int index, const QPixmap &picture, ScalePicture scale)
{
    ComboBoxQt *widget = combo();
    if (!widget || picture.isNull())
        return;
    if (m_pictureScale == 0)
        m_pictureScale = scale;
    const QPixmap scaled = AUILibUtils::ScaleBitmap(picture, m_pictureScale,
                                                    QSize(widget->width() - 25, widget->iconSize().height()));
    if (scaled.isNull())
        return;
    if (m_pictureSize.width() == 0 || m_pictureSize.height() == 0)
        m_pictureSize = scaled.size();
    EventGate::Hold hold;
    widget->setIconSize(m_pictureSize);
    widget->setItemIcon(index, QIcon(scaled));
}

void ComboBox::impl::SetCurSel(int index)
{
    ComboBoxQt *widget = combo();
    if (!widget)
        return;
    // The field takes the row's text before the new row is reported.
    EventGate::Hold hold;
    widget->setCurrentIndex(index);
}

int ComboBox::impl::GetCurSel() const
{
    ComboBoxQt *widget = combo();
    return widget ? widget->currentIndex() : -1;
}

std::wstring ComboBox::impl::GetItemText(int index) const
{
    ComboBoxQt *widget = combo();
    return widget ? widget->itemText(index).toStdWString() : std::wstring();
}

std::wstring ComboBox::impl::CurrentText() const
{
    ComboBoxQt *widget = combo();
    return widget ? widget->currentText().toStdWString() : std::wstring();
}

void ComboBox::impl::SetCurrentText(const std::wstring &text)
{
    ComboBoxQt *widget = combo();
    if (!widget)
        return;
    QScopedValueRollback<bool> setting(m_settingText, true);
    ProgrammaticUpdateScope programmatic(*this);
    widget->setCurrentText(QString::fromStdWString(text));
}

void ComboBox::impl::onEditTextChanged(const QString &text)
{
    // The corrected text written back below reports nothing itself: the
    // change it corrects reports once, with the corrected text.
    if (m_writingCorrection)
        return;
    // A handler may write the field again: the newer change reports itself,
    // and this one stops where it is.
    const unsigned round = m_textRound.Begin();
    const std::wstring typed = text.toStdWString();
    std::wstring corrected = typed;
    correctNumber(corrected);
    ComboBoxQt *widget = combo();
    if (widget && corrected != typed) {
        QLineEdit *edit = widget->lineEdit();
        const int cursor = edit ? edit->cursorPosition() : 0;
        {
            QScopedValueRollback<bool> writing(m_writingCorrection, true);
            ProgrammaticUpdateScope programmatic(*this);
            widget->setCurrentText(QString::fromStdWString(corrected));
        }
        if (edit)
            edit->setCursorPosition(std::min(cursor, static_cast<int>(corrected.size())));
    }
    if (!m_settingText && (!Fire(&ComboBox::OnTextEdited, corrected) || !m_textRound.IsCurrent(round)))
        return;
    if (!Fire(&ComboBox::OnTextChanged, corrected) || !m_textRound.IsCurrent(round))
        return;
    // The text before is the one last reported, whichever round reported it.
    const std::wstring previous = m_previousText;
    m_previousText = corrected;
    Fire(&ComboBox::OnTextReplaced, previous, corrected);
}

void ComboBox::impl::Clear()
{
    // The rows' data and the rows go before anybody hears of it.
    EventGate::Hold hold;
    m_itemData.Clear();
    if (ComboBoxQt *widget = combo())
        widget->clear();
}

int ComboBox::impl::Count() const
{
    ComboBoxQt *widget = combo();
    return widget ? widget->count() : -1;
}

any ComboBox::impl::GetItemData(int index) const
{
    ComboBoxQt *widget = combo();
    if (!widget)
        return any();
    const QVariant id = widget->itemData(index, Qt::UserRole);
    return id.isValid() ? m_itemData.Get(id.toInt(), 0) : any();
}

bool ComboBox::impl::SetItemData(int index, const any &data)
{
    const QModelIndex row = rowIndex(index);
    if (!row.isValid())
        return false;
    // A change of the current row writes its text into the field, which is
    // reported once the data is in; the row is held by identity meanwhile.
    EventGate::Hold hold;
    ItemRef<int> item = RowRef(row);
    item.Hold();
    RemoveItemData(index);
    ComboBoxQt *widget = combo();
    if (!widget || !item.IsThere())
        return false;
    widget->setItemData(item.Row(), m_itemData.Add(data, 0), Qt::UserRole);
    return true;
}

bool ComboBox::impl::RemoveItemData(int index)
{
    ComboBoxQt *widget = combo();
    if (!widget)
        return false;
    EventGate::Hold hold;
    const QVariant id = widget->itemData(index, Qt::UserRole);
    widget->setItemData(index, -1, Qt::UserRole);
    return id.isValid() && m_itemData.Remove(id.toInt());
}

void ComboBox::impl::SetMaxVisibleItems(int count)
{
    if (ComboBoxQt *widget = combo())
        widget->setMaxVisibleItems(count);
}

int ComboBox::impl::GetMaxVisibleItems() const
{
    ComboBoxQt *widget = combo();
    return widget ? widget->maxVisibleItems() : 0;
}

int ComboBox::impl::FindString(const std::wstring &text, int startAfter) const
{
    ComboBoxQt *widget = combo();
    if (!widget || widget->count() <= 0)
        return -1;
    // A start before the first row or at (or past) the last searches from the top.
    const int start = startAfter < 0 || startAfter >= widget->count() - 1 ? 0 : startAfter + 1;
    QAbstractItemModel *model = widget->model();
    const QModelIndexList hits =
        model->match(model->index(start, widget->modelColumn(), widget->rootModelIndex()), Qt::DisplayRole,
                     QString::fromStdWString(text), 1, Qt::MatchStartsWith | Qt::MatchWrap);
    return hits.isEmpty() ? -1 : hits.first().row();
}

void ComboBox::impl::AdjustItemWidth()
{
    if (ComboBoxQt *widget = combo())
        widget->setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

void ComboBox::impl::SetAutoComplete(bool enable)
{
    ComboBoxQt *widget = combo();
    // Qt keeps a completer only for a text field.
    if (!widget || !widget->lineEdit())
        return;
    if (!enable) {
        widget->setCompleter(nullptr);
        return;
    }
    auto *completer = new QCompleter(widget->model(), widget);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    widget->setCompleter(completer);
}

bool ComboBox::impl::IsAutoComplete() const
{
    ComboBoxQt *widget = combo();
    return widget && widget->completer();
}

void ComboBox::impl::SetEditSel(int start, int length)
{
    ComboBoxQt *widget = combo();
    if (widget && widget->lineEdit())
        widget->lineEdit()->setSelection(start, length);
}

int ComboBox::impl::SelectionLength() const
{
    ComboBoxQt *widget = combo();
    return widget && widget->lineEdit() ? widget->lineEdit()->selectionLength() : -1;
}

int ComboBox::impl::SelectionStart() const
{
    ComboBoxQt *widget = combo();
    return widget && widget->lineEdit() ? widget->lineEdit()->selectionStart() : -1;
}

void ComboBox::impl::SetCaretPosition(int position)
{
    ComboBoxQt *widget = combo();
    if (!widget || !widget->lineEdit())
        return;
    widget->lineEdit()->setCursorPosition(position);
    widget->setFocus(Qt::OtherFocusReason);
}

int ComboBox::impl::GetCaretPosition() const
{
    ComboBoxQt *widget = combo();
    return widget && widget->lineEdit() ? widget->lineEdit()->cursorPosition() : -1;
}

void ComboBox::impl::ShowDropDown(bool show)
{
    ComboBoxQt *widget = combo();
    if (!widget || show == widget->IsDropped())
        return;
    if (show)
        widget->showPopup();
    else
        widget->hidePopup();
}

void ComboBox::impl::appendStyleSheet(const QString &rules)
{
    if (ComboBoxQt *widget = combo())
        widget->setStyleSheet(widget->styleSheet() + rules);
}

void ComboBox::impl::SetTextColor(unsigned int color)
{
    const QString name = ColorRuleName(color);
    appendStyleSheet(QStringLiteral("QComboBox QAbstractItemView { color: %1; } QComboBox { color: %1; }").arg(name));
}

void ComboBox::impl::SetSelectedItemTextColor(unsigned int color)
{
    appendStyleSheet(QStringLiteral("QComboBox QAbstractItemView { selection-color: %1; }").arg(ColorRuleName(color)));
}

void ComboBox::impl::SetFont(const FontData &font)
{
    if (ComboBoxQt *widget = combo())
        widget->setFont(ApplyFontData(QFont(), font));
}

void ComboBox::impl::DisableItem(int index, bool disable)
{
    ComboBoxQt *widget = combo();
    const QModelIndex item = rowIndex(index);
    if (!widget || !item.isValid())
        return;
    // The current row's change writes the field; reported once the row is
    // no longer current, so the row compared is still the one named.
    EventGate::Hold hold;
    if (auto *standard = qobject_cast<QStandardItemModel *>(widget->model())) {
        if (QStandardItem *row = standard->itemFromIndex(item))
            row->setEnabled(!disable);
    }
    if (disable && index == widget->currentIndex())
        widget->setCurrentIndex(-1);
}

bool ComboBox::impl::IsItemDisabled(int index) const
{
    const QModelIndex item = rowIndex(index);
    return item.isValid() && !(item.flags() & Qt::ItemIsEnabled);
}

FontData ComboBox::impl::GetItemFont(int index) const
{
    FontData result;
    const QVariant stored = rowIndex(index).data(Qt::FontRole);
    if (!stored.canConvert<QFont>())
        return result;
    const QFont font = stored.value<QFont>();
    result.faceName = font.family().toStdWString();
    result.size = font.pointSize() > 0 ? font.pointSize() : -1.0;
    result.italic = font.style() != QFont::StyleNormal ? 1 : -1;
    result.bold = font.weight() >= 58 ? 1 : -1;
    result.underline = font.underline() ? 1 : -1;
    return result;
}

void ComboBox::impl::SetItemFont(int index, const FontData &font)
{
    ComboBoxQt *widget = combo();
    const QModelIndex item = rowIndex(index);
    if (!widget || !item.isValid() || IsUnsetFont(font))
        return;
    const FontData current = GetItemFont(index);
    FontData merged = font;
    if (merged.bold == -1)
        merged.bold = current.bold;
    if (merged.italic == -1)
        merged.italic = current.italic;
    if (merged.underline == -1)
        merged.underline = current.underline;
    if (!(merged.size > 0))
        merged.size = current.size;
    if (merged.faceName.empty())
        merged.faceName = current.faceName;
    // What the merge leaves unset (-1) keeps a plain font's value.
    EventGate::Hold hold;
    widget->model()->setData(item, ApplyFontData(QFont(), merged), Qt::FontRole);
}

void ComboBox::impl::followItemFont(int index)
{
    const FontData font = GetItemFont(index);
    if (!IsUnsetFont(font))
        SetFont(font);
}

void ComboBox::impl::SetEditable(bool editable)
{
    ComboBoxQt *widget = combo();
    if (!widget)
        return;
    // The text field comes or goes before anybody hears of it; what this
    // sets is set before a handler may set it again.
    EventGate::Hold hold;
    if (editable) {
        widget->setEditable(true);
        m_previousText = CurrentText();
    } else {
        if (m_balloon)
            m_balloon->Show(false, -1, -1);
        widget->SetEditListMode(false);
        widget->repaint();
        widget->setEditable(false);
    }
    // Qt gives a new text field a completer of its own; completion is asked for.
    if (widget->lineEdit())
        widget->setCompleter(nullptr);
}

void ComboBox::impl::EnableEditListMode(bool enable)
{
    ComboBoxQt *widget = combo();
    if (!widget || !widget->lineEdit())
        return;
    widget->SetEditListMode(enable);
    widget->repaint();
}

bool ComboBox::impl::GetDroppedState() const
{
    ComboBoxQt *widget = combo();
    return widget && widget->IsDropped();
}

bool ComboBox::impl::ShowBalloonTip(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon)
{
    ComboBoxQt *widget = combo();
    if (!widget || !widget->lineEdit())
        return false;
    if (!m_balloon)
        m_balloon = std::make_shared<PromptsPopup>();
    m_balloon->Create(widget->lineEdit(), text, 0, 3000, true);
    m_balloon->SetTitle(title);
    m_balloon->SetTitleIcon(icon);
    m_balloon->Show(true, -1, -1);
    return true;
}

bool ComboBox::impl::HideBalloonTip()
{
    ComboBoxQt *widget = combo();
    if (!widget || !widget->lineEdit() || !m_balloon)
        return false;
    m_balloon->Show(false, -1, -1);
    return true;
}

void ComboBox::impl::SetAddToListOnEnterKey(bool add)
{
    if (ComboBoxQt *widget = combo())
        widget->setInsertPolicy(widget->isEditable() && add ? QComboBox::InsertAtBottom : QComboBox::NoInsert);
}

void ComboBox::impl::DeleteString(int index)
{
    const QModelIndex row = rowIndex(index);
    if (!row.isValid())
        return;
    // Clearing the data writes the current row's text into the field, and Qt
    // moves the current row before the row goes: all of it is reported once
    // the row is gone, and the row goes by identity.
    EventGate::Hold hold;
    ItemRef<int> item = RowRef(row);
    item.Hold();
    RemoveItemData(index);
    ComboBoxQt *widget = combo();
    if (widget && item.IsThere())
        widget->removeItem(item.Row());
}

QWidget *ComboBox::impl::GetWndPtr() const
{
    return combo();
}

} // namespace AUILib

namespace AUILib {

void ComboBox::impl::OnlyNumbers(bool enable, int min, int max)
{
    // Whole numbers only, and without balloons: the combo box shows none of its own.
    m_numbers.SetIntegerRange(enable, min, max, nullptr, nullptr);
}

void ComboBox::impl::correctNumber(std::wstring &text)
{
    m_numbers.CorrectText(text, false);
}

} // namespace AUILib
