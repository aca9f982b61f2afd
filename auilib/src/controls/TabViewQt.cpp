#include "TabViewQt.h"

namespace AUILib {

TabViewQt::TabViewQt(QWidget *parent)
    : QTabWidget(parent)
{
}

} // namespace AUILib
