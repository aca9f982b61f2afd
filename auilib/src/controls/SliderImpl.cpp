#include "SliderImpl.h"

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
    if (auto *slider = WidgetAs<QAbstractSlider>())
        slider->setPageStep(size);
}

void Slider::impl::SetLineSize(int size)
{
    if (auto *slider = WidgetAs<QAbstractSlider>())
        slider->setSingleStep(size);
}

void Slider::impl::SetRange(int min, int max)
{
    if (auto *slider = WidgetAs<QAbstractSlider>())
        slider->setRange(min, max);
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

} // namespace AUILib
