#include "LabelQt.h"

namespace AUILib {

LabelQt::LabelQt(QWidget *parent)
    : QLabel(parent)
{
}

} // namespace AUILib
