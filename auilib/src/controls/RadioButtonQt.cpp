#include "RadioButtonQt.h"

namespace AUILib {

RadioButtonQt::RadioButtonQt(QWidget *parent)
    : QRadioButton(parent)
{
}

} // namespace AUILib
