#pragma once

#include <QAbstractSpinBox>

namespace AUILib {

class SpinEditQt : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit SpinEditQt(QWidget *parent = nullptr);
};

} // namespace AUILib
