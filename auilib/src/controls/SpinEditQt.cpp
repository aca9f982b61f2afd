#include "SpinEditQt.h"

namespace AUILib {

SpinEditQt::SpinEditQt(QWidget *parent)
    : QAbstractSpinBox(parent)
{
}

} // namespace AUILib
