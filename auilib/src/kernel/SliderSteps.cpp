#include "SliderSteps.h"

#include <QAbstractSlider>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace AUILib {

namespace {

constexpr long long kLargest = INT_MAX / 4;

int boundedEnd(int value)
{
    return static_cast<int>(std::clamp<long long>(value, -kLargest, kLargest));
}

int boundedStep(int step)
{
    return static_cast<int>(std::min<long long>(std::llabs(static_cast<long long>(step)), kLargest));
}

} // namespace

void SliderSteps::SetRange(QAbstractSlider *slider, int minimum, int maximum)
{
    if (slider)
        slider->setRange(boundedEnd(minimum), boundedEnd(maximum));
}

void SliderSteps::SetPageStep(QAbstractSlider *slider, int step)
{
    if (slider)
        slider->setPageStep(boundedStep(step));
}

void SliderSteps::SetSingleStep(QAbstractSlider *slider, int step)
{
    if (slider)
        slider->setSingleStep(boundedStep(step));
}

void SliderSteps::Apply(QAbstractSlider *slider)
{
    if (!slider)
        return;
    SetRange(slider, slider->minimum(), slider->maximum());
    SetPageStep(slider, slider->pageStep());
    SetSingleStep(slider, slider->singleStep());
}

} // namespace AUILib
