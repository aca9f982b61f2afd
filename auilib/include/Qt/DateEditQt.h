#pragma once

#include <QDateTimeEdit>

namespace AUILib {

class DateEditQt : public QDateTimeEdit
{
    Q_OBJECT

public:
    explicit DateEditQt(QWidget *parent = nullptr);
};

} // namespace AUILib
