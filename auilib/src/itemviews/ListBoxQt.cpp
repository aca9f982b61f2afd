#include "ListBoxQt.h"

namespace AUILib {

ListBoxQt::ListBoxQt(QWidget *parent)
    : QTableWidget(parent)
{
}

} // namespace AUILib
