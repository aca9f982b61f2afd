#include "ButtonQt.h"

namespace AUILib {

ButtonQt::ButtonQt(QWidget *parent)
    : QPushButton(parent)
{
}

} // namespace AUILib
