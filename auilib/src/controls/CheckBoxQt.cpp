#include "CheckBoxQt.h"

namespace AUILib {

CheckBoxQt::CheckBoxQt(QWidget *parent)
    : QCheckBox(parent)
{
}

} // namespace AUILib
