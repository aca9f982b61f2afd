#include "DoubleSpinEditQt.h"

namespace AUILib {

DoubleSpinEditQt::DoubleSpinEditQt(QWidget *parent)
    : QDoubleSpinBox(parent)
{
}

} // namespace AUILib
