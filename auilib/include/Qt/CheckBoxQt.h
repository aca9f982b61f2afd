#pragma once

#include <QCheckBox>

namespace AUILib {

class CheckBoxQt : public QCheckBox
{
    Q_OBJECT

public:
    explicit CheckBoxQt(QWidget *parent = nullptr);
};

} // namespace AUILib
