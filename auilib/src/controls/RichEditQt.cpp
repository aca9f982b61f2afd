#include "RichEditQt.h"

namespace AUILib {

RichEditQt::RichEditQt(QWidget *parent)
    : QTextEdit(parent)
{
}

} // namespace AUILib
