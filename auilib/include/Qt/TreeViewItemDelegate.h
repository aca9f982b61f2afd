#pragma once

#include "ItemRef.h"
#include "OwnerRef.h"
#include "TreeView.h"

#include <QStyledItemDelegate>

#include <memory>

class QStandardItem;

namespace AUILib {

class Edit;

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
    // Fires the opened editor's events, once Qt has the editor.
    void announce(const std::shared_ptr<TreeView::impl> &d, const ItemRef<QStandardItem *> &item,
                  const std::shared_ptr<Edit> &editor) const;

    OwnerRef<TreeView> m_owner;
    mutable std::shared_ptr<Edit> m_editor;
};

} // namespace AUILib
