#pragma once

#include <QGroupBox>

namespace AUILib {

class GroupBoxQt : public QGroupBox
{
    Q_OBJECT

public:
    explicit GroupBoxQt(QWidget *parent = nullptr);
};

} // namespace AUILib
