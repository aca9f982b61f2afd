#include "ComboBoxFSImpl.h"

namespace AUILib {

ComboBoxFS::impl::impl()
    : m_widget(new ComboBoxFSQt)
{
}

ComboBoxFS::impl::~impl() = default;

QWidget *ComboBoxFS::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
