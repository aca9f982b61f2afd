#include "DateEditQt.h"

namespace AUILib {

DateEditQt::DateEditQt(QWidget *parent)
    : QDateTimeEdit(parent)
{
}

} // namespace AUILib
