#include "ScrollBarImpl.h"

#include "SliderSteps.h"
#include "WidgetColors.h"

namespace AUILib {

ScrollBar::impl::impl(ScrollBar *owner)
    : BaseImplQt(owner)
{
    ScrollBarQt *bar = MakeWidget<ScrollBarQt>();
    Connect(bar, &QAbstractSlider::valueChanged, [this](int value) { Fire(&ScrollBar::OnValueChanged, value); });
    bar->setPageStep(1);
}

ScrollBar::impl::~impl() = default;

void ScrollBar::impl::SetPageSize(int size)
{
    SliderSteps::SetPageStep(WidgetAs<QAbstractSlider>(), size);
}

void ScrollBar::impl::SetLineSize(int size)
{
    SliderSteps::SetSingleStep(WidgetAs<QAbstractSlider>(), size);
}

void ScrollBar::impl::SetRange(int min, int max)
{
    SliderSteps::SetRange(WidgetAs<QAbstractSlider>(), min, max);
}

void ScrollBar::impl::SetValue(int value)
{
    if (auto *bar = WidgetAs<QAbstractSlider>())
        bar->setValue(value);
}

int ScrollBar::impl::GetValue() const
{
    const auto *bar = WidgetAs<QAbstractSlider>();
    return bar ? bar->value() : 0;
}

void ScrollBar::impl::SetBackgroundColor(int rgb)
{
    QWidget *bar = WidgetAs<QAbstractSlider>();
    if (!bar)
        return;
    m_backgroundColor = rgb;
    SetPaletteColor(bar, bar->backgroundRole(), RGBColor(rgb), true);
}

void ScrollBar::impl::OnFormLoaded(const FormElement &)
{
    SliderSteps::Apply(WidgetAs<QAbstractSlider>());
}

} // namespace AUILib
