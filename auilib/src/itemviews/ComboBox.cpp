#include "ComboBox.h"

#include "ComboBoxImpl.h"

namespace AUILib {

ComboBox::ComboBox()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindComboBox);
}

ComboBox::~ComboBox() = default;

bool ComboBox::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> ComboBox::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
