#include "TreeViewItemDelegate.h"

#include "Edit.h"
#include "TreeView.h"
#include "TreeViewImpl.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPointer>

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
    const ItemRef<QStandardItem *> item = d->HoldItem(model ? model->itemFromIndex(index) : nullptr);
    d->editingItem = item;
    // The view's edit holds the events until Qt has the editor; its handlers
    // run then, and may end this edit, start another, remove the item or
    // release the control: Qt meets each as a change of its own.
    EventGate::Deliver([self = QPointer<const TreeViewItemDelegate>(this), owner = OwnerRef<TreeView>(owner), item,
                        editor = std::weak_ptr<Edit>(m_editor)] {
        TreeView *tree = owner.get();
        if (self && tree)
            self->announce(std::static_pointer_cast<TreeView::impl>(tree->GetBaseImpl()), item, editor.lock());
    });
    return widget;
}

void TreeViewItemDelegate::announce(const std::shared_ptr<TreeView::impl> &d, const ItemRef<QStandardItem *> &item,
                                    const std::shared_ptr<Edit> &editor) const
{
    // Only an edit still open, of an item still there, is announced.
    auto open = [&] {
        return d && editor && m_editor == editor && editor->GetPlatformHandle() && d->Held(item) &&
               d->Held(d->editingItem) == d->Held(item);
    };
    if (!open())
        return;
    // An edit of the same item asked for by these handlers is refused.
    d->openingEditors.push_back(item);
    if (d->Fire(&TreeView::OnBeginEditLabel, item) && open())
        d->Fire(&TreeView::OnLabelEditorCreated, item, ControlRef<Edit>(editor.get()));
    d->openingEditors.erase(std::remove_if(d->openingEditors.begin(), d->openingEditors.end(),
                                           [&item](const ItemRef<QStandardItem *> &opening) {
                                               return !opening.IsThere() || opening.Index() == item.Index();
                                           }),
                            d->openingEditors.end());
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
