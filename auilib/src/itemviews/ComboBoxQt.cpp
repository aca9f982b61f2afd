#include "ComboBoxQt.h"

namespace AUILib {

ComboBoxQt::ComboBoxQt(QWidget *parent)
    : QComboBox(parent)
{
}

} // namespace AUILib
