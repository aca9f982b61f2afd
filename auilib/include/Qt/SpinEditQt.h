#pragma once

#include <QSpinBox>

namespace AUILib {

// A QSpinBox, so that every property a form's QSpinBox sets reaches it.
class SpinEditQt : public QSpinBox
{
    Q_OBJECT

public:
    explicit SpinEditQt(QWidget *parent = nullptr);
};

} // namespace AUILib
