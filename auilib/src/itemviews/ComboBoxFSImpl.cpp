#include "ComboBoxFSImpl.h"

#include "ObTagMRUComboBoxItem_Qt.h"
#include "Pictures.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace AUILib {

namespace {

// Folder names are compared as the file system compares them.
constexpr Qt::CaseSensitivity kPathCase =
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

// Whether `listed` names the folder whose canonical path is `canonical`: two
// spellings of one folder (a link, a "..", a trailing "/") are one folder, and
// a listed folder that is gone is none.
bool IsSameFolder(const QString &listed, const QString &canonical)
{
    if (listed.isEmpty() || canonical.isEmpty())
        return false;
    const QString resolved = QFileInfo(listed).canonicalFilePath();
    return !resolved.isEmpty() && resolved.compare(canonical, kPathCase) == 0;
}

ComboBoxFS::FSData ToFSData(const ObTagMRUComboBoxItem_Qt &record)
{
    ComboBoxFS::FSData data;
    data.type = static_cast<ComboBoxFS::ItemType>(record.type);
    data.number = record.number;
    data.folderPath = record.folderPath.toStdWString();
    data.secondText = record.secondText.toStdWString();
    return data;
}

} // namespace

ComboBoxFS::impl::impl(ComboBoxFS *owner)
    : BaseImplQt(owner)
{
    ComboBoxFSQt *widget = MakeWidget<ComboBoxFSQt>();
    Connect(widget, QOverload<int>::of(&QComboBox::activated), [this] { onActivated(); });
    // Rows are named by identity: reported under their number at delivery,
    // or to nobody once gone; no current row is -1.
    Connect(widget, QOverload<int>::of(&QComboBox::currentIndexChanged), [this](int index) {
        onCurrentIndexChanged(index);
        const QModelIndex current = rowIndex(index);
        current.isValid() ? Fire(&ComboBoxFS::OnSelectionChanged, RowRef(current))
                          : Fire(&ComboBoxFS::OnSelectionChanged, -1);
    });
}

ComboBoxFS::impl::~impl() = default;

bool ComboBoxFS::impl::isBrowseRow(int row) const
{
    ComboBoxFSQt *widget = combo();
    return widget && widget->itemText(row).compare(ComboBoxFSQt::BrowseText(), Qt::CaseInsensitive) == 0;
}

void ComboBoxFS::impl::onCurrentIndexChanged(int index)
{
    // The browse row is only ever current while the folder dialog runs.
    if (index >= 0 && !isBrowseRow(index))
        m_restoreIndex = index;
}

QModelIndex ComboBoxFS::impl::rowIndex(int row) const
{
    ComboBoxFSQt *widget = combo();
    if (!widget || row < 0 || row >= widget->count())
        return QModelIndex();
    return widget->model()->index(row, widget->modelColumn(), widget->rootModelIndex());
}

QModelIndex ComboBoxFS::impl::insertRow(int index, const QIcon &icon, const QString &text,
                                        ObTagMRUComboBoxItem_Qt *record)
{
    ComboBoxFSQt *widget = combo();
    if (!widget) {
        delete record;
        return QModelIndex();
    }
    const int row = std::clamp(index, 0, widget->count());
    widget->insertItem(row, icon, text, QVariant::fromValue(record));
    AutoUpdateComboboxViewWidth();
    return rowIndex(row);
}

int ComboBoxFS::impl::AddSearchFolderItem(const QString &text, int type, int number, const QString &path,
                                          const QString &second)
{
    ComboBoxFSQt *widget = combo();
    if (!widget)
        return -1;
    ItemRef<int> item;
    {
        // The first row becomes current, which is reported once the row is in.
        EventGate::Hold hold;
        const QIcon icon = text != ComboBoxFSQt::BrowseText() ? FileSystemIcon(path) : QIcon();
        item = RowRef(insertRow(widget->count(), icon, text, new ObTagMRUComboBoxItem_Qt(type, number, path, second)));
        item.Hold();
    }
    // A handler may have moved the row, or taken it (or the combo box) away.
    return IsLive() && item.IsThere() ? item.Row() : -1;
}

int ComboBoxFS::impl::InsertSearchFolderItem(int index, const QString &text, const FSData &data)
{
    const QString path = QString::fromStdWString(data.folderPath);
    if (!combo() || !QFileInfo::exists(path))
        return -1;
    ItemRef<int> item;
    {
        EventGate::Hold hold;
        item = RowRef(insertRow(index, FileSystemIcon(path), text,
                                new ObTagMRUComboBoxItem_Qt(data.type, data.number, path,
                                                            QString::fromStdWString(data.secondText))));
        item.Hold();
    }
    return IsLive() && item.IsThere() ? item.Row() : -1;
}

bool ComboBoxFS::impl::GetSearchFolderItem(FSData &out, int index) const
{
    ComboBoxFSQt *widget = combo();
    const ObTagMRUComboBoxItem_Qt *record = widget ? widget->Record(index) : nullptr;
    if (!record)
        return false;
    out = ToFSData(*record);
    return true;
}

bool ComboBoxFS::impl::GetCurSearchFolderItem(FSData &out) const
{
    ComboBoxFSQt *widget = combo();
    return widget && GetSearchFolderItem(out, widget->currentIndex());
}

void ComboBoxFS::impl::SetCurSel(int index)
{
    ComboBoxFSQt *widget = combo();
    if (!widget)
        return;
    EventGate::Hold hold;
    widget->setCurrentIndex(index);
}

int ComboBoxFS::impl::Count() const
{
    ComboBoxFSQt *widget = combo();
    return widget ? widget->count() : -1;
}

void ComboBoxFS::impl::AutoUpdateComboboxViewWidth()
{
    if (ComboBoxFSQt *widget = combo())
        widget->UpdateViewWidth();
}

void ComboBoxFS::impl::InitComboBoxFS()
{
    ComboBoxFSQt *widget = combo();
    if (!widget)
        return;
    // Clearing the list and adding its rows move the current row: all of it
    // is reported once the list is whole (a handler that fills it again then
    // starts from a finished list).
    EventGate::Hold hold;
    widget->clear();
    m_restoreIndex = 0;
    const QStandardPaths::StandardLocation locations[] = {
        QStandardPaths::DocumentsLocation, QStandardPaths::DesktopLocation, QStandardPaths::DownloadLocation,
        QStandardPaths::PicturesLocation,  QStandardPaths::MusicLocation,   QStandardPaths::MoviesLocation,
    };
    for (QStandardPaths::StandardLocation location : locations) {
        const QString name = QStandardPaths::displayName(location);
        const QString path = QFileInfo(QStandardPaths::writableLocation(location)).canonicalFilePath();
        insertRow(widget->count(), FileSystemIcon(path), name,
                  new ObTagMRUComboBoxItem_Qt(ItemTypeStandardFolder, 0, path, name));
    }
    const QString browseText = ComboBoxFSQt::BrowseText();
    insertRow(widget->count(), QIcon(), browseText,
              new ObTagMRUComboBoxItem_Qt(ItemTypeBrowse, 0, browseText, browseText));

    widget->setCurrentIndex(0);
    if (const ObTagMRUComboBoxItem_Qt *current = widget->Record(widget->currentIndex()))
        m_rememberedFolder = current->folderPath;
    const QString remembered = QFileInfo(m_rememberedFolder).canonicalFilePath();
    for (int row = 0; row < widget->count(); ++row) {
        const ObTagMRUComboBoxItem_Qt *record = widget->Record(row);
        if (record && IsSameFolder(record->folderPath, remembered)) {
            widget->setCurrentIndex(row);
            break;
        }
    }
}

void ComboBoxFS::impl::onActivated()
{
    ComboBoxFSQt *widget = combo();
    if (!widget || widget->currentIndex() == -1)
        return;
    if (isBrowseRow(widget->currentIndex()))
        browse();
    // The folder dialog may have outlived the widget, and the rows it made
    // current were reported to handlers that may have released the control.
    widget = combo();
    if (!IsLive() || !widget)
        return;
    widget->setFocus(Qt::OtherFocusReason);
    const QModelIndex current = rowIndex(widget->currentIndex());
    current.isValid() ? Fire(&ComboBoxFS::OnItemActivated, RowRef(current))
                      : Fire(&ComboBoxFS::OnItemActivated, -1);
}

void ComboBoxFS::impl::browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(
        nullptr, QCoreApplication::translate("QObject", "Select the folder you want to search."),
        QStandardPaths::writableLocation(QStandardPaths::HomeLocation), QFileDialog::ShowDirsOnly);
    ComboBoxFSQt *widget = combo();
    if (!widget)
        return;
    // The row made current (and a row added for it) is reported once it is
    // current: the rows compared here are the ones chosen from.
    EventGate::Hold hold;
    // A folder gone by now counts as no choice.
    const QString canonical = chosen.isEmpty() ? QString() : QFileInfo(chosen).canonicalFilePath();
    if (canonical.isEmpty()) {
        widget->setCurrentIndex(m_restoreIndex < widget->count() ? m_restoreIndex : 0);
        return;
    }
    for (int row = 0; row < widget->count(); ++row) {
        const ObTagMRUComboBoxItem_Qt *record = widget->Record(row);
        if (record && !isBrowseRow(row) && IsSameFolder(record->folderPath, canonical)) {
            widget->setCurrentIndex(row);
            return;
        }
    }
    const QModelIndex added = insertRow(widget->count(), FileSystemIcon(canonical), canonical,
                                        new ObTagMRUComboBoxItem_Qt(ItemTypePickedFolder, 1, canonical, canonical));
    if (added.isValid())
        widget->setCurrentIndex(added.row());
}

} // namespace AUILib
