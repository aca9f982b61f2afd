#pragma once

#include <QPushButton>

namespace AUILib {

class ButtonQt : public QPushButton
{
    Q_OBJECT

public:
    explicit ButtonQt(QWidget *parent = nullptr);
};

} // namespace AUILib
