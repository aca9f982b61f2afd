#include "ComboBoxFSQt.h"

namespace AUILib {

ComboBoxFSQt::ComboBoxFSQt(QWidget *parent)
    : QComboBox(parent)
{
}

} // namespace AUILib
