#include "SplitterQt.h"

namespace AUILib {

SplitterQt::SplitterQt(QWidget *parent)
    : QSplitter(parent)
{
}

} // namespace AUILib
