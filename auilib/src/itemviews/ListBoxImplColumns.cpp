// The list box's columns, header, pictures, row button and appearance.
#include "ListBoxImpl.h"

#include "AUILibUtils.h"
#include "HeaderProxyStyle.h"
#include "Pictures.h"
#include "SizeBound.h"
#include "WidgetColors.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

namespace AUILib {

void ListBox::impl::applyColumnNames()
{
    if (ListBoxQt *table = Table())
        table->setHorizontalHeaderLabels(m_columnNames);
}

void ListBox::impl::SetColumnsCount(int count)
{
    ListBoxQt *table = Table();
    if (!table || count < 1 || count > kMaxColumnsCount || count == m_columnCount)
        return;
    // Clear may end an open edit, whose handlers may change the list.
    Clear();
    table = Table();
    if (!IsLive() || !table)
        return;
    EventGate::Hold hold;
    m_columnNames.clear();
    if (m_headerStyle) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (QTableWidgetItem *header = table->horizontalHeaderItem(column))
                header->setData(Qt::DecorationRole, QVariant());
        }
    }
    m_columnCount = count;
    table->setColumnCount(count);
    QHeaderView *header = table->horizontalHeader();
    header->setStretchLastSection(false);
    const int extent = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
    if (!header->isHidden()) {
        header->setDefaultSectionSize((table->width() - extent - 2) / count);
    } else if (count >= 2) {
        for (int column = 0; column < count; ++column)
            table->setColumnWidth(column, (header->width() - extent - 2) / count);
    }
    header->setStretchLastSection(true);
    m_columnWidths.assign(static_cast<std::size_t>(count), -1);
    for (int column = 0; column < count; ++column)
        m_columnNames << QStringLiteral("Col %1").arg(column);
    if (!m_rowButtonImage.isNull()) {
        const QImage image = m_rowButtonImage;
        removeRowButtonColumn();
        m_rowButtonImage = image;
        addRowButtonColumn();
    }
    m_widthsInitialised = true;
    table->viewport()->update();
}

bool ListBox::impl::SetColumnName(int column, const std::wstring &name)
{
    ListBoxQt *table = Table();
    if (!table || column < 0 || column >= m_columnNames.size())
        return false;
    if (!m_widthsInitialised && table->rowCount() == 0) {
        const int extent = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
        table->horizontalHeader()->setDefaultSectionSize(table->width() - extent - 2);
        m_widthsInitialised = true;
    }
    m_columnNames[column] = QString::fromStdWString(name);
    applyColumnNames();
    table->horizontalHeader()->show();
    table->viewport()->update();
    return true;
}

void ListBox::impl::EnableColumnNames(bool show)
{
    if (ListBoxQt *table = Table())
        table->horizontalHeader()->setVisible(show);
}

void ListBox::impl::SetColumnWidth(int column, int width)
{
    ListBoxQt *table = Table();
    if (!table || column < 0 || column >= m_columnCount)
        return;
    m_columnWidths[static_cast<std::size_t>(column)] = width;
    table->setColumnWidth(column, width);
    m_widthsInitialised = true;
    table->viewport()->update();
}

void ListBox::impl::ResizeColumnToContent(int column, bool fit)
{
    ListBoxQt *table = Table();
    if (!table || column < 0 || column >= m_columnCount)
        return;
    m_columnWidths[static_cast<std::size_t>(column)] = fit ? -2 : -1;
    if (fit)
        fitColumn(column);
}

bool ListBox::impl::IsSetResizeColumnToContent(int column)
{
    return column >= 0 && column < static_cast<int>(m_columnWidths.size()) &&
           m_columnWidths[static_cast<std::size_t>(column)] == -2;
}

void ListBox::impl::SetShowGridlines(bool show)
{
    if (ListBoxQt *table = Table()) {
        table->setShowGrid(show);
        table->viewport()->update();
    }
}

void ListBox::impl::EnableWordWrapText(bool on)
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    m_wordWrap = on;
    if (on)
        std::fill(m_columnWidths.begin(), m_columnWidths.end(), -1);
    table->setWordWrap(on);
}

void ListBox::impl::SetItemsHeight(int height)
{
    ListBoxQt *table = Table();
    if (!table || height <= 0)
        return;
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(height);
}

void ListBox::impl::SetHeaderTooltip(int column, const std::wstring &text)
{
    ListBoxQt *table = Table();
    if (QTableWidgetItem *header = table ? table->horizontalHeaderItem(column) : nullptr)
        header->setData(Qt::ToolTipRole, QString::fromStdWString(text));
}

void ListBox::impl::AddPictureToHeader(int column, const std::wstring &path, int size)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *header = table ? table->horizontalHeaderItem(column) : nullptr;
    if (!header || !m_headerStyle)
        return;
    header->setData(Qt::DecorationRole, QIcon(QString::fromStdWString(path)));
    m_headerStyle->SetPictureSize(column, SizeBound::Square(size));
}

void ListBox::impl::AddPictureToHeader(int column, const unsigned char *bytes, int length, ImageTypes type, int size)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *header = table ? table->horizontalHeaderItem(column) : nullptr;
    if (!header)
        return;
    if (bytes && length > 0) {
        header->setData(Qt::DecorationRole, QIcon(PictureFromBytes(bytes, length, type, size)));
        if (m_headerStyle)
            m_headerStyle->SetPictureSize(column, SizeBound::Square(size));
    } else {
        header->setData(Qt::DecorationRole, QVariant());
    }
    table->horizontalHeader()->viewport()->update();
}

void ListBox::impl::SetHeaderPictureAlign(int column, HeaderStyle style)
{
    if (style == PictureAfterText && m_headerStyle)
        m_headerStyle->SetHeaderStyle(column, style);
}

ListBox::HeaderStyle ListBox::impl::GetHeaderPictureAlign(int column)
{
    return m_headerStyle ? m_headerStyle->GetHeaderStyle(column) : static_cast<HeaderStyle>(0);
}

// ---- Pictures ----

void ListBox::impl::AddPictureEx(int row, int column, const std::wstring &path, int size)
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    EventGate::Hold hold;
    table->setIconSize(SizeBound::Square(size));
    if (QTableWidgetItem *cell = table->item(row, column)) {
        cell->setData(Qt::DecorationRole, QIcon(QString::fromStdWString(path)));
        fitColumn(column);
        table->viewport()->update();
    }
}

void ListBox::impl::AddPictureEx(int row, int column, const unsigned char *bytes, int length, ImageTypes type,
                                 int size)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *cell = table ? table->item(row, column) : nullptr;
    if (!cell)
        return;
    EventGate::Hold hold;
    if (bytes && length > 0) {
        const QPixmap picture = PictureFromBytes(bytes, length, type, size);
        table->setIconSize(SizeBound::Square(size));
        cell->setData(Qt::DecorationRole, QIcon(picture));
    } else {
        cell->setData(Qt::DecorationRole, QVariant());
    }
    fitColumn(column);
    table->viewport()->update();
}

void ListBox::impl::AddPictureSysIconEx(int row, int column, const std::wstring &path)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *cell = table ? table->item(row, column) : nullptr;
    const QString file = QString::fromStdWString(path);
    if (!cell || !QFileInfo::exists(file))
        return;
    EventGate::Hold hold;
    cell->setData(Qt::DecorationRole, FileSystemIcon(file));
    fitColumn(column);
    table->viewport()->update();
}

// ---- Row button ----

void ListBox::impl::addRowButtonColumn()
{
    ListBoxQt *table = Table();
    if (!table || m_rowButtonImage.isNull())
        return;
    QHeaderView *header = table->horizontalHeader();
    header->setStretchLastSection(false);
    table->setColumnCount(m_columnCount + 1);
    table->setColumnWidth(m_columnCount, table->rowCount() > 0 ? table->rowHeight(0) : 24);
    for (int column = 0; column < m_columnCount; ++column)
        header->setSectionResizeMode(column, QHeaderView::Interactive);
    header->setSectionResizeMode(m_columnCount - 1, QHeaderView::Stretch);
    header->setSectionResizeMode(m_columnCount, QHeaderView::Fixed);
    m_columnNames << QString();
    applyColumnNames();
}

void ListBox::impl::removeRowButtonColumn()
{
    ListBoxQt *table = Table();
    m_rowButtonImage = QImage();
    if (!table)
        return;
    table->setColumnCount(m_columnCount);
    QHeaderView *header = table->horizontalHeader();
    for (int column = 0; column < m_columnCount; ++column)
        header->setSectionResizeMode(column, QHeaderView::Interactive);
    if (m_columnNames.size() > m_columnCount)
        m_columnNames.removeLast();
    applyColumnNames();
    header->setStretchLastSection(true);
}

void ListBox::impl::AddRowButton(const std::wstring &path)
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    // A picture that does not load changes nothing: a button column keeps
    // its picture (without one it would be taken for a column of text).
    const QImage image(QString::fromStdWString(path));
    if (image.isNull())
        return;
    const bool had = !m_rowButtonImage.isNull();
    m_rowButtonImage = image;
    EventGate::Hold hold;
    if (!had)
        addRowButtonColumn();
    table->viewport()->update();
}

void ListBox::impl::AddRowButton(const unsigned char *bytes, int length, ImageTypes type)
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    const bool had = !m_rowButtonImage.isNull();
    EventGate::Hold hold;
    if (bytes && length > 0) {
        QImage image;
        // A picture that does not load changes nothing (see above).
        if (!image.loadFromData(bytes, length, AUILibUtils::ImageTypeToStr(type).c_str()) || image.isNull())
            return;
        m_rowButtonImage = image;
        if (!had)
            addRowButtonColumn();
    } else if (had) {
        removeRowButtonColumn();
    }
    table->viewport()->update();
}

// ---- Colours and appearance ----

void ListBox::impl::SetBackgroundColor(int rgb)
{
    m_backgroundColor = rgb;
    SetPaletteColor(Table(), QPalette::Base, static_cast<RGBColor>(rgb));
}

void ListBox::impl::SetTextColor(int rgb)
{
    m_textColor = rgb;
    SetPaletteColor(Table(), QPalette::Text, static_cast<RGBColor>(rgb), true);
}

void ListBox::impl::SetItemTextColor(int row, RGBColor color)
{
    ListBoxQt *table = Table();
    if (QTableWidgetItem *cell = table ? table->item(row, 0) : nullptr) {
        EventGate::Hold hold;
        cell->setData(Qt::ForegroundRole, QBrush(QColor(QRgb(color) | 0xff000000U)));
    }
}

void ListBox::impl::UnderlineItems(bool underline)
{
    m_underlineItems = underline;
    if (ListBoxQt *table = Table())
        table->viewport()->update();
}

void ListBox::impl::EnableItemsAutoTooltip(bool on, int maxLength)
{
    m_autoTooltip = on;
    m_autoTooltipLength = maxLength;
}

void ListBox::impl::EnableRowsDragAndDrop(bool on)
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    table->setDragEnabled(on);
    table->setDropIndicatorShown(on);
    table->setDefaultDropAction(on ? Qt::MoveAction : Qt::IgnoreAction);
    table->setDragDropMode(on ? QAbstractItemView::DragDrop : QAbstractItemView::NoDragDrop);
    table->setDragDropOverwriteMode(false);
    m_rowsDragAndDrop = on;
    table->setAcceptDrops(m_acceptDrops || on);
}

void ListBox::impl::SetAcceptDrops(bool accept)
{
    BaseImplQt::SetAcceptDrops(accept);
    m_acceptDrops = accept;
    if (ListBoxQt *table = Table())
        table->setAcceptDrops(accept || m_rowsDragAndDrop);
}

int ListBox::impl::HitTest(Point point, unsigned int *flags, int *column)
{
    ListBoxQt *table = Table();
    if (!table)
        return -1;
    QTableWidgetItem *cell = table->HitTest(point, flags, column, nullptr);
    return cell ? cell->row() : -1;
}

Point ListBox::impl::ScreenToClient(Point point)
{
    Point client = BaseImplQt::ScreenToClient(point);
    if (ListBoxQt *table = Table()) {
        const int header = table->horizontalHeader()->isHidden() ? 0 : table->horizontalHeader()->height();
        client.y -= header; // the base took off the frame
    }
    return client;
}

Point ListBox::impl::ClientToScreen(Point point)
{
    Point screen = BaseImplQt::ClientToScreen(point);
    if (ListBoxQt *table = Table()) {
        const int header = table->horizontalHeader()->isHidden() ? 0 : table->horizontalHeader()->height();
        screen.y += header; // the base added the frame
    }
    return screen;
}

bool ListBox::impl::ShowCustomToolTip(const QPoint &globalPos)
{
    ListBoxQt *table = Table();
    if (!table)
        return false;
    const QPoint point = table->viewport()->mapFromGlobal(globalPos);
    const QModelIndex index = table->indexAt(point);
    if (index.isValid()) {
        if (!m_autoTooltip)
            return false;
        Size size;
        int column = -1;
        QTableWidgetItem *cell = table->HitTest(Point{point.x(), point.y()}, nullptr, &column, &size);
        if (!cell || cell->row() < 0)
            return false;
        if (IsSetResizeColumnToContent(index.column()))
            return false;
        QString text = cell->data(Qt::DisplayRole).toString();
        const QRect rect = table->visualItemRect(cell);
        if (text.isEmpty() || size.width < rect.width())
            return false;
        if (m_autoTooltipLength > 0 && text.size() >= m_autoTooltipLength)
            text = text.left(m_autoTooltipLength - 1) + QChar(0x2026);
        QToolTip::showText(globalPos, text, table->viewport(), rect);
        return true;
    }
    QHeaderView *header = table->horizontalHeader();
    if (header->isHidden())
        return false;
    const int section = header->logicalIndexAt(header->mapFromGlobal(globalPos));
    QTableWidgetItem *item = section >= 0 ? table->horizontalHeaderItem(section) : nullptr;
    if (!item)
        return false;
    QToolTip::showText(globalPos, item->data(Qt::ToolTipRole).toString(), header);
    return true;
}

} // namespace AUILib
