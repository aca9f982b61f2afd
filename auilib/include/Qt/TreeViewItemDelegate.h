#pragma once

#include "OwnerRef.h"

#include <QStyledItemDelegate>

#include <memory>

namespace AUILib {

class Edit;
class TreeView;

// The standard tree's delegate: its label editor is the toolkit's edit
// control, at most one at a time, sized to the rest of the row.
class TreeViewItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    TreeViewItemDelegate(TreeView *owner, QObject *parent);
    ~TreeViewItemDelegate() override;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

    // The open label editor, or null.
    Edit *Editor() const;
    // Selects the editor's whole text.
    void SetSelectAll() const;
    // Drops the editor control (its widget goes with the view).
    void DeleteEditor();

private:
    OwnerRef<TreeView> m_owner;
    mutable std::shared_ptr<Edit> m_editor;
};

} // namespace AUILib
