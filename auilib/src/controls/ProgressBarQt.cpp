#include "ProgressBarQt.h"

namespace AUILib {

ProgressBarQt::ProgressBarQt(QWidget *parent)
    : QProgressBar(parent)
{
}

} // namespace AUILib
