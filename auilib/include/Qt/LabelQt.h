#pragma once

#include <QLabel>

namespace AUILib {

class LabelQt : public QLabel
{
    Q_OBJECT

public:
    explicit LabelQt(QWidget *parent = nullptr);
};

} // namespace AUILib
