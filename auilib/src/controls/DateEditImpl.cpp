#include "DateEditImpl.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSignalBlocker>

namespace AUILib {

namespace {

const QString kTimeFormat = QStringLiteral("H:mm");

} // namespace

DateEdit::impl::impl(DateEdit *owner)
    : BaseImplQt(owner)
{
    auto *edit = MakeWidget<DateEditQt>(owner);
    SetMode(DateEditModeDate);
    // Connected only now: making the control fires nothing.
    Connect(edit, &QDateTimeEdit::dateTimeChanged,
            [this](const QDateTime &value) { Fire(&DateEdit::OnDateTimeChanged, ToObDateTime(value)); });
}

DateEdit::impl::~impl() = default;

QString DateEdit::impl::ShortDateFormat()
{
    return QLocale::system().dateFormat(QLocale::ShortFormat);
}

ObDateTime DateEdit::impl::ToObDateTime(const QDateTime &value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    ObDateTime result;
    result.year = static_cast<std::uint16_t>(date.year());
    result.month = static_cast<std::uint16_t>(date.month());
    result.day = static_cast<std::uint16_t>(date.day());
    result.hour = static_cast<std::uint16_t>(time.hour());
    result.minute = static_cast<std::uint16_t>(time.minute());
    result.second = static_cast<std::uint16_t>(time.second());
    return result;
}

QString DateEdit::impl::formatOf(DateEditMode mode) const
{
    if (mode == DateEditModeDateTime)
        return ShortDateFormat() + QLatin1Char(' ') + kTimeFormat;
    if (mode == DateEditModeTime)
        return kTimeFormat;
    return ShortDateFormat();
}

// Qt pins a time-only field's date range to its current date and moves it along
// with every value set, clamping on the way. The widget is driven with its
// signals blocked, so that the application hears only the end value, once.
void DateEdit::impl::changeQuietly(QDateTimeEdit *edit, const std::function<void()> &change)
{
    const ProgrammaticUpdateScope programmatic(*this);
    const QDateTime before = edit->dateTime();
    {
        const QSignalBlocker blocker(edit);
        change();
    }
    const QDateTime after = edit->dateTime();
    if (after != before)
        Fire(&DateEdit::OnDateTimeChanged, ToObDateTime(after));
}

void DateEdit::impl::SetMode(DateEditMode mode)
{
    auto *edit = WidgetAs<QDateTimeEdit>();
    // Set first, and the change reported once the widget is whole: a handler
    // that switches the mode again has the last word.
    EventGate::Hold hold;
    m_mode = mode;
    if (edit && mode >= DateEditModeTime && mode <= DateEditModeDateTime) {
        changeQuietly(edit, [&] {
                if (mode == DateEditModeTime) {
                    if (!m_timeOnly) {
                        m_savedMinimum = edit->minimumDateTime();
                        m_savedMaximum = edit->maximumDateTime();
                        m_timeOnly = true;
                    }
                    edit->setCalendarPopup(false);
                    edit->setDisplayFormat(kTimeFormat);
                    edit->setTime(QTime::currentTime());
                    return;
                }
                edit->setDisplayFormat(formatOf(mode));
                if (m_timeOnly) {
                    // The range the field had before the time-only mode pinned it.
                    edit->setDateTimeRange(m_savedMinimum, m_savedMaximum);
                    m_timeOnly = false;
                }
                if (mode == DateEditModeDateTime)
                    edit->setDateTime(QDateTime::currentDateTime());
                else
                    edit->setDate(QDate::currentDate());
                edit->setCalendarPopup(true);
            });
    }
}

bool DateEdit::impl::setValue(const QDateTime &value)
{
    auto *edit = WidgetAs<QDateTimeEdit>();
    if (!edit || !value.isValid())
        return false;
    // A time-only field takes any date (Qt moves its range along); any other
    // field would clamp silently to its range and report success.
    if (!m_timeOnly && (value < edit->minimumDateTime() || value > edit->maximumDateTime()))
        return false;
    changeQuietly(edit, [&] { edit->setDateTime(value); });
    return true;
}

bool DateEdit::impl::SetDateTime(const ObDateTime &value)
{
    const QDate date(value.year, value.month, value.day);
    const QTime time(value.hour, value.minute, value.second, 0);
    // QDateTime takes an invalid time for midnight: both are checked.
    if (!date.isValid() || !time.isValid())
        return false;
    return setValue(QDateTime(date, time, Qt::LocalTime));
}

bool DateEdit::impl::SetDateTime(const std::wstring &text)
{
    // In the time-only mode the parsed value carries Qt's default date.
    return setValue(QDateTime::fromString(QString::fromStdWString(text), formatOf(m_mode)));
}

ObDateTime DateEdit::impl::GetDateTime() const
{
    auto *edit = WidgetAs<QDateTimeEdit>();
    return edit ? ToObDateTime(edit->dateTime()) : ObDateTime();
}

std::wstring DateEdit::impl::GetDateTimeString() const
{
    auto *edit = WidgetAs<QDateTimeEdit>();
    if (!edit)
        return std::wstring();
    if (m_mode == DateEditModeDateTime)
        return edit->dateTime().toString(Qt::TextDate).toStdWString();
    if (m_mode == DateEditModeTime)
        return edit->time().toString(Qt::TextDate).toStdWString();
    return edit->date().toString(Qt::TextDate).toStdWString();
}

void DateEdit::impl::LoadPicture(const std::wstring &path)
{
    auto *edit = WidgetAs<QDateTimeEdit>();
    if (!edit)
        return;
    const QString absolute = QDir(QFileInfo(QString::fromStdWString(path)).absoluteFilePath()).absolutePath();
    if (!path.empty() && QFileInfo(absolute).isFile()) {
        m_picturePath = absolute;
        edit->setStyleSheet(QStringLiteral("QDateTimeEdit::drop-down{background-color: white;image: url(") + absolute +
                            QStringLiteral(");image-position: left;}"));
    } else {
        m_picturePath.clear();
        edit->setStyleSheet(QString());
    }
}

} // namespace AUILib
