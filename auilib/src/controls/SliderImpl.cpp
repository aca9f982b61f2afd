#include "SliderImpl.h"

#include "SliderSteps.h"

namespace AUILib {

Slider::impl::impl(Slider *owner)
    : BaseImplQt(owner)
{
    SliderQt *slider = MakeWidget<SliderQt>();
    Connect(slider, &QAbstractSlider::sliderReleased, [this] { Fire(&Slider::OnSliderReleased); });
    Connect(slider, &QAbstractSlider::valueChanged, [this](int value) { Fire(&Slider::OnValueChanged, value); });
}

Slider::impl::~impl() = default;

void Slider::impl::SetPageSize(int size)
{
    SliderSteps::SetPageStep(WidgetAs<QAbstractSlider>(), size);
}

void Slider::impl::SetLineSize(int size)
{
    SliderSteps::SetSingleStep(WidgetAs<QAbstractSlider>(), size);
}

void Slider::impl::SetRange(int min, int max)
{
    SliderSteps::SetRange(WidgetAs<QAbstractSlider>(), min, max);
}

void Slider::impl::SetValue(int value)
{
    if (auto *slider = WidgetAs<QAbstractSlider>())
        slider->setValue(value);
}

int Slider::impl::GetValue() const
{
    const auto *slider = WidgetAs<QAbstractSlider>();
    return slider ? slider->value() : 0;
}

void Slider::impl::OnFormLoaded(const FormElement &)
{
    SliderSteps::Apply(WidgetAs<QAbstractSlider>());
}

} // namespace AUILib
