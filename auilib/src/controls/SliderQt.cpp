#include "SliderQt.h"

namespace AUILib {

SliderQt::SliderQt(QWidget *parent)
    : QSlider(parent)
{
}

} // namespace AUILib
