#include "ScrollAreaQt.h"

namespace AUILib {

ScrollAreaQt::ScrollAreaQt(QWidget *parent)
    : QScrollArea(parent)
{
}

} // namespace AUILib
