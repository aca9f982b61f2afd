#include "ComboBoxFS.h"

#include "ComboBoxFSImpl.h"

namespace AUILib {

ComboBoxFS::ComboBoxFS()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindComboBoxFS);
}

ComboBoxFS::~ComboBoxFS() = default;

bool ComboBoxFS::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> ComboBoxFS::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
