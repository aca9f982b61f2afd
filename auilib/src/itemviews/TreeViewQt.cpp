#include "TreeViewQt.h"

namespace AUILib {

TreeViewQt::TreeViewQt(QWidget *parent)
    : QTreeView(parent)
{
}

} // namespace AUILib
