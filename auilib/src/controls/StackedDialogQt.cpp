#include "StackedDialogQt.h"

namespace AUILib {

StackedDialogQt::StackedDialogQt(QWidget *parent)
    : QStackedWidget(parent)
{
}

} // namespace AUILib
