#include "ProgressBarImpl.h"

namespace AUILib {

ProgressBar::impl::impl(ProgressBar *owner)
    : BaseImplQt(owner)
{
    ProgressBarQt *bar = MakeWidget<ProgressBarQt>();
    Connect(bar, &QProgressBar::valueChanged, [this](int value) { Fire(&ProgressBar::OnValueChanged, value); });
}

ProgressBar::impl::~impl() = default;

void ProgressBar::impl::SetRange(int min, int max)
{
    auto *bar = WidgetAs<QProgressBar>();
    if (!bar)
        return;
    const int value = bar->value();
    const bool outside = value < min || value > max;
    // Moved while the old range still allows it, the value is reported before
    // the range changes.
    if (outside) {
        SetValue(min);
        // The report's handler may have released the bar or changed it.
        bar = WidgetAs<QProgressBar>();
        if (!IsLive() || !bar)
            return;
    }
    // Qt reports the value it resets from inside setRange and paints after.
    EventGate::Hold hold;
    bar->setRange(min, max);
    // Qt would leave a value the old range refused in its reset state, below
    // the new minimum: the value is kept inside the range instead.
    if (outside && bar->value() != bar->minimum())
        bar->setValue(bar->minimum());
}

bool ProgressBar::impl::SetValue(int value)
{
    auto *bar = WidgetAs<QProgressBar>();
    if (!bar || value < bar->minimum() || value > bar->maximum())
        return false;
    // Qt paints the bar after it reported the value: reported once it is done.
    EventGate::Hold hold;
    bar->setValue(value);
    return true;
}

int ProgressBar::impl::GetValue() const
{
    const auto *bar = WidgetAs<QProgressBar>();
    return bar ? bar->value() : 0;
}

int ProgressBar::impl::GetMinimum() const
{
    const auto *bar = WidgetAs<QProgressBar>();
    return bar ? bar->minimum() : 0;
}

int ProgressBar::impl::GetMaximum() const
{
    const auto *bar = WidgetAs<QProgressBar>();
    return bar ? bar->maximum() : 0;
}

} // namespace AUILib
