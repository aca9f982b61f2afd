#include "TreeViewImpl.h"

namespace AUILib {

TreeView::impl::impl()
    : m_widget(new TreeViewQt)
{
}

TreeView::impl::~impl() = default;

QWidget *TreeView::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
