#pragma once

class QAbstractSlider;

namespace AUILib {

// The range and steps of a slider or a scroll bar, as the toolkit hands them
// to Qt. Qt's styles work out the handle's place and length from
// (maximum - minimum) + page step in unsigned int: a range over the whole int
// range, or a page step near INT_MAX, wraps that to 0 and the next paint
// divides by it. So each end of the range is kept within a quarter of the int
// range, as positions are, and each step within 0 to that (Qt takes a negative
// step by its size).
class SliderSteps
{
public:
    static void SetRange(QAbstractSlider *slider, int minimum, int maximum);
    static void SetPageStep(QAbstractSlider *slider, int step);
    static void SetSingleStep(QAbstractSlider *slider, int step);
    // The range and steps the slider has now (a form's), bounded.
    static void Apply(QAbstractSlider *slider);
};

} // namespace AUILib
