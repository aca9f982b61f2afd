#pragma once

#include "OwnerRef.h"

#include <QDateTimeEdit>

namespace AUILib {

class DateEdit;

// A QDateTimeEdit, not the QDateEdit a form names: the time-only mode needs a
// format QDateEdit refuses. A form's QDateEdit sets no property a
// QDateTimeEdit lacks.
class DateEditQt : public QDateTimeEdit
{
    Q_OBJECT

public:
    explicit DateEditQt(DateEdit *owner = nullptr, QWidget *parent = nullptr);

    // The control this widget belongs to; null once it is gone.
    DateEdit *owner() const { return m_owner.get(); }

private:
    OwnerRef<DateEdit> m_owner;
};

} // namespace AUILib
