#include "LineQt.h"

namespace AUILib {

LineQt::LineQt(QWidget *parent)
    : QFrame(parent)
{
}

} // namespace AUILib
