#include "DrawElementQt.h"

namespace AUILib {

DrawElementQt::DrawElementQt(QWidget *parent)
    : QWidget(parent)
{
}

} // namespace AUILib
