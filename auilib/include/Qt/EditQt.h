#pragma once

#include <QLineEdit>

namespace AUILib {

class EditQt : public QLineEdit
{
    Q_OBJECT

public:
    explicit EditQt(QWidget *parent = nullptr);
};

} // namespace AUILib
