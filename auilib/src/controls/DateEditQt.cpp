#include "DateEditQt.h"

#include "DateEdit.h"

namespace AUILib {

DateEditQt::DateEditQt(DateEdit *owner, QWidget *parent)
    : QDateTimeEdit(parent)
    , m_owner(owner)
{
}

} // namespace AUILib
