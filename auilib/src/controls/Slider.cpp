#include "Slider.h"

#include "SliderImpl.h"

namespace AUILib {

Slider::Slider()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindSlider);
}

Slider::~Slider() = default;

bool Slider::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> Slider::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
