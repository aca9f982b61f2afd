#pragma once

#include <QDateTimeEdit>

namespace AUILib {

// A QDateTimeEdit, not the QDateEdit a form names: the time-only mode needs a
// format QDateEdit refuses. A form's QDateEdit sets no property a
// QDateTimeEdit lacks.
class DateEditQt : public QDateTimeEdit
{
    Q_OBJECT

public:
    explicit DateEditQt(QWidget *parent = nullptr);
};

} // namespace AUILib
