#include "EditQt.h"

namespace AUILib {

EditQt::EditQt(QWidget *parent)
    : QLineEdit(parent)
{
}

} // namespace AUILib
