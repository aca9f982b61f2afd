#include "ChildDialogQt.h"

namespace AUILib {

ChildDialogQt::ChildDialogQt(QWidget *parent)
    : QWidget(parent)
{
}

} // namespace AUILib
