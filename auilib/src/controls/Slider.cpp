#include "Slider.h"

#include "SliderImpl.h"

namespace AUILib {

Slider::Slider()
    : m_impl(MakeImpl<impl>(this))
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

void Slider::SetPageSize(int size) { m_impl->SetPageSize(size); }
void Slider::SetLineSize(int size) { m_impl->SetLineSize(size); }
void Slider::SetRange(int min, int max) { m_impl->SetRange(min, max); }
void Slider::SetValue(int value) { m_impl->SetValue(value); }
int Slider::GetValue() { return m_impl->GetValue(); }

} // namespace AUILib
