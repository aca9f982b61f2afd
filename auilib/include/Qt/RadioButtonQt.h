#pragma once

#include <QRadioButton>

namespace AUILib {

class RadioButtonQt : public QRadioButton
{
    Q_OBJECT

public:
    explicit RadioButtonQt(QWidget *parent = nullptr);
};

} // namespace AUILib
