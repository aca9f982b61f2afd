#pragma once

#include "BaseImplQt.h"
#include "ComboBoxFS.h"
#include "ComboBoxFSQt.h"

#include <QIcon>
#include <QModelIndex>
#include <QString>

struct ObTagMRUComboBoxItem_Qt;

namespace AUILib {

// Drives the widget it makes, a ComboBoxFSQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class ComboBoxFS::impl : public BaseImplQt
{
public:
    explicit impl(ComboBoxFS *owner);
    ~impl() override;

    void InitComboBoxFS();
    int AddSearchFolderItem(const QString &text, int type, int number, const QString &path, const QString &second);
    int InsertSearchFolderItem(int index, const QString &text, const FSData &data);
    bool GetSearchFolderItem(FSData &out, int index) const;
    bool GetCurSearchFolderItem(FSData &out) const;
    void SetCurSel(int index);
    int Count() const;
    void AutoUpdateComboboxViewWidth();

private:
    ComboBoxFSQt *combo() const { return WidgetAs<ComboBoxFSQt>(); }
    // The row's model index, invalid for a row that does not exist.
    QModelIndex rowIndex(int row) const;
    // Inserts a row owning `record` (the index bounded to the rows there are)
    // and answers it; the caller holds events.
    QModelIndex insertRow(int index, const QIcon &icon, const QString &text, ObTagMRUComboBoxItem_Qt *record);
    bool isBrowseRow(int row) const;
    void onCurrentIndexChanged(int index);
    void onActivated();
    // Asks for a folder and makes its row current: the listed row of that
    // folder, or a new one; a cancelled choice goes back to the restore row.
    void browse();

    QString m_rememberedFolder;
    // The row current before the browse row was chosen: where a cancelled
    // choice goes back to.
    int m_restoreIndex = 0;
};

} // namespace AUILib
