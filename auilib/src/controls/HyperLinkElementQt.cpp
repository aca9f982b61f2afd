#include "HyperLinkElementQt.h"

namespace AUILib {

HyperLinkElementQt::HyperLinkElementQt(QWidget *parent)
    : QLabel(parent)
{
}

} // namespace AUILib
