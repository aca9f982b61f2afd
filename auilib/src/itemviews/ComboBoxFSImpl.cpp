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
    Connect(widget, QOverload<int>::of(&QComboBox::currentIndexChanged), [this](int index) {
        onCurrentIndexChanged(index);
        Fire(&ComboBoxFS::OnSelectionChanged, index);
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

int ComboBoxFS::impl::AddSearchFolderItem(const QString &text, int type, int number, const QString &path,
                                          const QString &second)
{
    ComboBoxFSQt *widget = combo();
    if (!widget)
        return -1;
    auto *record = new ObTagMRUComboBoxItem_Qt(type, number, path, second);
    const QIcon icon = text != ComboBoxFSQt::BrowseText() ? FileSystemIcon(path) : QIcon();
    widget->addItem(icon, text, QVariant::fromValue(record));
    // The first row becomes current, which is reported to a handler.
    widget = combo();
    if (!IsLive() || !widget)
        return -1;
    AutoUpdateComboboxViewWidth();
    return widget->count() - 1;
}

int ComboBoxFS::impl::InsertSearchFolderItem(int index, const QString &text, const FSData &data)
{
    ComboBoxFSQt *widget = combo();
    const QString path = QString::fromStdWString(data.folderPath);
    if (!widget || !QFileInfo::exists(path))
        return -1;
    const int row = std::max(0, std::min(index, widget->count()));
    auto *record = new ObTagMRUComboBoxItem_Qt(data.type, data.number, path, QString::fromStdWString(data.secondText));
    widget->insertItem(row, FileSystemIcon(path), text, QVariant::fromValue(record));
    // The first row becomes current, which is reported to a handler.
    widget = combo();
    if (!IsLive() || !widget || row >= widget->count())
        return -1;
    AutoUpdateComboboxViewWidth();
    return row;
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
    if (ComboBoxFSQt *widget = combo())
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
    if (!combo())
        return;
    // Clearing the list and adding its first row change the current row,
    // which is reported: after each step the fill stops once a handler
    // released the control or started another fill (which then stands).
    const unsigned round = m_fillRound.Begin();
    const auto goOn = [this, round] { return IsLive() && combo() && m_fillRound.IsCurrent(round); };
    combo()->clear();
    if (!goOn())
        return;
    m_restoreIndex = 0;
    const QStandardPaths::StandardLocation locations[] = {
        QStandardPaths::DocumentsLocation, QStandardPaths::DesktopLocation, QStandardPaths::DownloadLocation,
        QStandardPaths::PicturesLocation,  QStandardPaths::MusicLocation,   QStandardPaths::MoviesLocation,
    };
    for (QStandardPaths::StandardLocation location : locations) {
        const QString name = QStandardPaths::displayName(location);
        const QString path = QFileInfo(QStandardPaths::writableLocation(location)).canonicalFilePath();
        AddSearchFolderItem(name, ItemTypeStandardFolder, 0, path, name);
        if (!goOn())
            return;
    }
    const QString browseText = ComboBoxFSQt::BrowseText();
    AddSearchFolderItem(browseText, ItemTypeBrowse, 0, browseText, browseText);
    if (!goOn())
        return;

    combo()->setCurrentIndex(0);
    if (!goOn())
        return;
    ComboBoxFSQt *widget = combo();
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
    Fire(&ComboBoxFS::OnItemActivated, widget->currentIndex());
}

void ComboBoxFS::impl::browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(
        nullptr, QCoreApplication::translate("QObject", "Select the folder you want to search."),
        QStandardPaths::writableLocation(QStandardPaths::HomeLocation), QFileDialog::ShowDirsOnly);
    ComboBoxFSQt *widget = combo();
    if (!widget)
        return;
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
    const int added = AddSearchFolderItem(canonical, ItemTypePickedFolder, 1, canonical, canonical);
    if (added >= 0 && (widget = combo()))
        widget->setCurrentIndex(added);
}

} // namespace AUILib
