#include "ScrollBarQt.h"

namespace AUILib {

ScrollBarQt::ScrollBarQt(QWidget *parent)
    : QScrollBar(parent)
{
}

} // namespace AUILib
