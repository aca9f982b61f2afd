#include "SpinEditQt.h"

namespace AUILib {

namespace {

constexpr int kDefaultMaximum = 100;

} // namespace

SpinEditQt::SpinEditQt(QWidget *parent)
    : QSpinBox(parent)
{
    // The control's range until the program or a form sets another.
    setRange(0, kDefaultMaximum);
}

} // namespace AUILib
