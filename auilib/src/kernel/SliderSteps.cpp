#include "SliderSteps.h"

#include "BaseImplQt.h"

#include <QAbstractSlider>

#include <cstdlib>

namespace AUILib {

namespace {

int boundedEnd(int value)
{
    return BaseImplQt::BoundedCoordinate(value);
}

int boundedStep(int step)
{
    return BaseImplQt::BoundedCoordinate(std::llabs(static_cast<long long>(step)));
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
