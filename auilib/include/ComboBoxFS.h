#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A drop-down list of folders to search in: the user's standard folders with
// their icons, a "<Browse...>" row that asks for a folder, and the folders
// picked that way. Rows whose folder has gone are dropped when the user
// presses the mouse on the control. Nothing is kept between runs. Its widget
// is made without a parent; Create places it.
class ComboBoxFS : public BaseGUIObject
{
public:
    // The kind of a row; the application may use further values of its own.
    enum ItemType : int {
        ItemTypeStandardFolder = 0,
        ItemTypeBrowse = 1,
        ItemTypePickedFolder = 2,
    };

    // A row as the application reads it.
    struct FSData
    {
        ItemType type = ItemTypeStandardFolder;
        int number = 0; // 1 for picked folders, else 0
        std::wstring folderPath;
        std::wstring secondText; // the row's text, for the rows the control adds
    };

    ComboBoxFS();
    ~ComboBoxFS() override;

    // The current row changed: the new row.
    EventSignal<void(int)> OnSelectionChanged;
    // The user chose a row (and, for the browse row, a folder or nothing):
    // the current row afterwards.
    EventSignal<void(int)> OnItemActivated;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // Fills the list anew: the standard folders, then the browse row; the first
    // row becomes current. Folders picked before are dropped.
    virtual void InitComboBoxFS();

    // Appends a row for any path (without an icon when the folder does not
    // exist); returns its row, -1 when the widget is gone.
    int AddSearchFolderItem(const std::wstring &text, ItemType type, int number, const std::wstring &path,
                            const std::wstring &second);
    // Only for a folder that exists: appends, or inserts at `index`; returns
    // the row, or -1 when nothing was added.
    int AddSearchFolderItem(const std::wstring &text, FSData &data);
    int InsertSearchFolderItem(int index, const std::wstring &text, FSData &data);
    // False, leaving `out` alone, for a row that is no folder row.
    bool GetSearchFolderItem(FSData &out, int index);
    bool GetCurSearchFolderItem(FSData &out);
    void SetCurSel(int index);
    // -1 once the widget is gone.
    int Count();
    // The drop-down list grows to show the longest row.
    void AutoUpdateComboboxViewWidth();
    void UpdateCustomColors(); // no effect

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
