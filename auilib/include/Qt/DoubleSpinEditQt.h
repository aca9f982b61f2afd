#pragma once

#include <QDoubleSpinBox>

namespace AUILib {

class DoubleSpinEditQt : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit DoubleSpinEditQt(QWidget *parent = nullptr);
};

} // namespace AUILib
