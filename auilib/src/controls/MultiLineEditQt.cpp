#include "MultiLineEditQt.h"

namespace AUILib {

MultiLineEditQt::MultiLineEditQt(QWidget *parent)
    : QPlainTextEdit(parent)
{
}

} // namespace AUILib
