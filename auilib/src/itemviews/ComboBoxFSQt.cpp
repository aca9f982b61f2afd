#include "ComboBoxFSQt.h"

#include "EventGate.h"
#include "ObTagMRUComboBoxItem_Qt.h"
#include "SizeBound.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QStandardItemModel>

#include <algorithm>

namespace AUILib {

ComboBoxFSQt::ComboBoxFSQt(QWidget *parent)
    : QComboBox(parent)
{
    // The rows' own model, watched before anything else connects to it:
    // whatever changes the rows holds the toolkit's events until the change
    // is whole.
    auto *rows = new QStandardItemModel(0, 1, this);
    EventGate::Watch(rows, this);
    setModel(rows);
    ObTagMRUComboBoxItem_Qt::RegisterMetaType();
    // Records belong to their rows: they go with them.
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &parent, int first, int last) {
                if (parent == rootModelIndex())
                    freeRecords(first, last);
            });
    connect(model(), &QAbstractItemModel::modelAboutToBeReset, this, [this] { freeRecords(0, count() - 1); });
}

ComboBoxFSQt::~ComboBoxFSQt()
{
    disconnect(model(), nullptr, this, nullptr);
    freeRecords(0, count() - 1);
}

ObTagMRUComboBoxItem_Qt *ComboBoxFSQt::Record(int row) const
{
    const QVariant data = itemData(row, Qt::UserRole);
    return data.canConvert<ObTagMRUComboBoxItem_Qt *>() ? data.value<ObTagMRUComboBoxItem_Qt *>() : nullptr;
}

QString ComboBoxFSQt::BrowseText()
{
    return QCoreApplication::translate("QObject", "<Browse...>");
}

void ComboBoxFSQt::freeRecords(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        // Called only as the rows go: nothing reads the record afterwards.
        delete Record(row);
    }
}

void ComboBoxFSQt::pruneGoneFolders()
{
    // Each removal may move the current row: reported once the list is pruned.
    EventGate::Hold hold;
    const QString browse = BrowseText();
    for (int row = 0; row < count();) {
        const ObTagMRUComboBoxItem_Qt *record = Record(row);
        if (record && itemText(row).compare(browse, Qt::CaseInsensitive) != 0 && !record->folderPath.isEmpty()
            && !QFile::exists(record->folderPath))
            removeItem(row);
        else
            ++row;
    }
}

void ComboBoxFSQt::UpdateViewWidth()
{
    int width = sizeHint().width();
    const QFontMetrics metrics(view()->font());
    for (int row = 0; row < count(); ++row)
        width = std::max(width, metrics.horizontalAdvance(itemText(row) + QLatin1Char(' ')) + 20);
    // The list pops up as a window of its own, as wide as its longest item
    // but no wider than any window may be.
    view()->setMinimumWidth(SizeBound::Width(width));
}

bool ComboBoxFSQt::event(QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        pruneGoneFolders();
        UpdateViewWidth();
    }
    return QComboBox::event(event);
}

} // namespace AUILib
