#pragma once

#include "BaseImplQt.h"
#include "DateEdit.h"
#include "DateEditQt.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace AUILib {

// Drives the widget it makes, a DateEditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
// A change of mode keeps the widget: whatever the application or a form set on
// it (its name, filters, properties) stays.
class DateEdit::impl : public BaseImplQt
{
public:
    explicit impl(DateEdit *owner);
    ~impl() override;

    void SetMode(DateEditMode mode);
    DateEditMode GetMode() const { return m_mode; }
    bool SetDateTime(const ObDateTime &value);
    bool SetDateTime(const std::wstring &text);
    ObDateTime GetDateTime() const;
    std::wstring GetDateTimeString() const;
    void LoadPicture(const std::wstring &path);
    // The drop-down picture's absolute path; empty when none is shown.
    const QString &PicturePath() const { return m_picturePath; }

    // The system's short date format, read anew each time.
    static QString ShortDateFormat();
    static ObDateTime ToObDateTime(const QDateTime &value);

private:
    QString formatOf(DateEditMode mode) const;
    bool setValue(const QDateTime &value);
    // Runs `change` on the widget and fires the end value when it differs.
    void changeQuietly(QDateTimeEdit *edit, const std::function<void()> &change);

    DateEditMode m_mode = DateEditModeDate;
    QString m_picturePath;
    // Whether the widget shows the time only, and the date-time range it had
    // before: Qt narrows a time-only field's range to one day.
    bool m_timeOnly = false;
    QDateTime m_savedMinimum;
    QDateTime m_savedMaximum;
};

} // namespace AUILib
