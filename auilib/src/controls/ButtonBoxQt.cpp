#include "ButtonBoxQt.h"

namespace AUILib {

ButtonBoxQt::ButtonBoxQt(QWidget *parent)
    : QDialogButtonBox(parent)
{
}

} // namespace AUILib
