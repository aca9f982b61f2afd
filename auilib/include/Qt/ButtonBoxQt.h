#pragma once

#include <QDialogButtonBox>

namespace AUILib {

class ButtonBoxQt : public QDialogButtonBox
{
    Q_OBJECT

public:
    explicit ButtonBoxQt(QWidget *parent = nullptr);
};

} // namespace AUILib
