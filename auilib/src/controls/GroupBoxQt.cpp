#include "GroupBoxQt.h"

namespace AUILib {

GroupBoxQt::GroupBoxQt(QWidget *parent)
    : QGroupBox(parent)
{
}

} // namespace AUILib
