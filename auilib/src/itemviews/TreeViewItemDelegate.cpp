#include "TreeViewItemDelegate.h"

#include "Edit.h"
#include "TreeView.h"
#include "TreeViewImpl.h"

#include <QAbstractItemView>
#include <QLineEdit>

#include <algorithm>

namespace AUILib {

TreeViewItemDelegate::TreeViewItemDelegate(TreeView *owner, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_owner(owner)
{
}

TreeViewItemDelegate::~TreeViewItemDelegate() = default;

QWidget *TreeViewItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    TreeView *owner = m_owner.get();
    if (!owner)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto d = std::static_pointer_cast<TreeView::impl>(owner->GetBaseImpl());
    // One editor at a time: an earlier one that is still open goes.
    if (m_editor)
        if (QWidget *old = m_editor->GetPlatformHandle())
            old->deleteLater();
    m_editor = std::make_shared<Edit>();
    m_editor->Create(parent);
    QWidget *widget = m_editor->GetPlatformHandle();
    int viewportWidth = parent->width();
    if (auto *view = qobject_cast<QAbstractItemView *>(this->parent()))
        viewportWidth = view->viewport()->width();
    widget->setFixedSize(viewportWidth - option.rect.left() + 2, option.rect.height() + 2);
    widget->setFont(option.font);

    QStandardItemModel *model = d->Model();
    QStandardItem *item = model ? model->itemFromIndex(index) : nullptr;
    d->editingItem = item;
    // Kept alive through the handlers, which may end this edit, start another,
    // remove the item or release the control: the view gets the editor only
    // when none of that happened.
    const std::shared_ptr<Edit> editor = m_editor;
    auto stillEditing = [&] {
        return d->IsLive() && m_editor == editor && editor->GetPlatformHandle() && d->IsItem(item) &&
               d->editingItem == item;
    };
    d->openingEditors.push_back(item);
    const bool opened = d->Fire(&TreeView::OnBeginEditLabel, d->ItemOf(item)) && stillEditing() &&
                        d->Fire(&TreeView::OnLabelEditorCreated, d->ItemOf(item), ControlRef<Edit>(editor.get())) && stillEditing();
    d->openingEditors.erase(std::find(d->openingEditors.begin(), d->openingEditors.end(), item));
    if (opened)
        return editor->GetPlatformHandle();
    if (m_editor == editor)
        m_editor.reset();
    if (d->editingItem == item)
        d->editingItem = nullptr;
    if (QWidget *unused = editor->GetPlatformHandle())
        unused->deleteLater();
    return nullptr;
}

void TreeViewItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(index.data(Qt::EditRole).toString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

Edit *TreeViewItemDelegate::Editor() const
{
    return m_editor && m_editor->GetPlatformHandle() ? m_editor.get() : nullptr;
}

void TreeViewItemDelegate::SetSelectAll() const
{
    if (Edit *editor = Editor())
        editor->SetSelectAll();
}

void TreeViewItemDelegate::DeleteEditor()
{
    m_editor.reset();
}

} // namespace AUILib
