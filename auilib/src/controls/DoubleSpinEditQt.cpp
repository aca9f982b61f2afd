#include "DoubleSpinEditQt.h"

#include "CustomLineEdit.h"
#include "DoubleSpinEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QRegExp>
#include <QStyle>
#include <QStyleOptionSpinBox>

// Qt deletes a spin box's replaced line edit at once; only its private data
// lets the old one go later instead.
#include <private/qabstractspinbox_p.h>

#include <cmath>

namespace AUILib {

namespace {

// What QString::number writes and QString::toDouble reads, whatever the
// locale; pica texts use it between the points and their fraction.
const QChar kNumberPoint = QLatin1Char('.');

// Takes the line edit out of the spin box's hands, so that setLineEdit
// deletes nothing. Not checked by the sanitizers' type check, which would need
// the type information of Qt's private class, and Qt does not export it.
__attribute__((no_sanitize("vptr"))) void forgetLineEdit(QAbstractSpinBox *spin)
{
    static_cast<QAbstractSpinBoxPrivate *>(QObjectPrivate::get(spin))->edit = nullptr;
}

} // namespace

DoubleSpinEditQt::DoubleSpinEditQt(DoubleSpinEdit *owner, QWidget *parent)
    : QDoubleSpinBox(parent)
    , m_owner(owner)
    , m_step(singleStep())
{
}

DoubleSpinEditQt::~DoubleSpinEditQt() = default;

void DoubleSpinEditQt::SetBalloonNaNtext(const QString &first, const QString &second)
{
    m_balloonText = first;
    m_balloonText2 = second;
}

void DoubleSpinEditQt::SetDecimalChar(char decimal)
{
    if (decimal >= '0' && decimal <= '9')
        return;
    m_decimalChar = decimal;
    setValue(value());
}

void DoubleSpinEditQt::ReplaceLineEdit(QLineEdit *edit)
{
    QLineEdit *old = lineEdit();
    if (!edit || edit == old)
        return;
    if (old) {
        old->blockSignals(true);
        QObject::disconnect(old, nullptr, this, nullptr);
        old->hide();
        // Out of the spin box, where only the new field is to be found.
        old->setParent(nullptr);
        forgetLineEdit(this);
        old->deleteLater();
    }
    setLineEdit(edit);
}

QString DoubleSpinEditQt::withoutSuffix(QString text) const
{
    if (!suffix().isEmpty() && text.endsWith(suffix()))
        text.chop(suffix().size());
    return text;
}

QString DoubleSpinEditQt::boundText(double bound) const
{
    return QString::number(bound, 'f', decimals()).replace(kNumberPoint, locale().decimalPoint());
}

QString DoubleSpinEditQt::textFromValue(double value) const
{
    if (m_picaMode) {
        const int digits = m_pointsDigits < 2 ? 1 : m_pointsDigits;
        QString text = QString::number(value, 'f', digits);
        if (!text.contains(kNumberPoint))
            text += QStringLiteral(".0");
        if (m_pointsFraction.isEmpty() && decimals() > 0)
            text += kNumberPoint + QString(decimals(), QLatin1Char('0'));
        text.replace(text.indexOf(kNumberPoint), 1, QChar::fromLatin1(m_decimalChar ? m_decimalChar : 'p'));
        return text + m_pointsFraction;
    }
    if (!m_decimalChar)
        return QDoubleSpinBox::textFromValue(value);
    // The point QString::number writes is the one replaced, whatever the
    // locale's decimal point is.
    return QString::number(value, 'f', decimals()).replace(kNumberPoint, QChar::fromLatin1(m_decimalChar));
}

double DoubleSpinEditQt::valueFromText(const QString &text) const
{
    if (!m_decimalChar && !m_picaMode)
        return QDoubleSpinBox::valueFromText(text);
    QString number = withoutSuffix(text);
    if (!prefix().isEmpty() && number.startsWith(prefix()))
        number.remove(0, prefix().size());
    if (m_decimalChar)
        number.replace(QChar::fromLatin1(m_decimalChar), locale().decimalPoint());
    return locale().toDouble(number.trimmed());
}

QValidator::State DoubleSpinEditQt::validate(QString &input, int &pos) const
{
    if (!suffix().isEmpty() && input.endsWith(suffix()))
        input.remove(suffix());
    if (m_picaMode)
        return QValidator::Invalid;
    const QChar decimal = QChar::fromLatin1(m_decimalChar);
    if (m_decimalChar)
        input.replace(decimal, locale().decimalPoint());
    if (!m_correction) {
        bool ok = false;
        const double number = locale().toDouble(input, &ok);
        if (ok && number > maximum() && number > 0)
            input = boundText(maximum());
        else if (ok && number < minimum() && number < 0)
            input = boundText(minimum());
    }
    const QValidator::State state = QDoubleSpinBox::validate(input, pos);
    if (!suffix().isEmpty() && !input.endsWith(suffix()))
        input += suffix();
    if (m_decimalChar)
        input.replace(locale().decimalPoint(), decimal);
    return state;
}

QStringList DoubleSpinEditQt::SplitPicaText(QString text) const
{
    const QChar mark = QChar::fromLatin1(m_decimalChar ? m_decimalChar : 'p');
    if (text.startsWith(mark))
        text.prepend(QLatin1Char('0'));
    if (text.contains(mark)) {
        QRegExp pattern(QStringLiteral("(\\d+)") + QRegExp::escape(mark) + QStringLiteral("(\\d*)(\\") + kNumberPoint +
                            QStringLiteral("\\d*)?"),
                        Qt::CaseSensitive);
        if (!pattern.exactMatch(text))
            return {};
        return pattern.capturedTexts();
    }
    const double number = text.toDouble();
    // Not a length this edit holds.
    if (!std::isfinite(number) || std::fabs(number) > static_cast<double>(kLargestPicas))
        return {};
    const double picas = std::trunc(number);
    const double points = (number - picas) * 12.0;
    const double wholePoints = std::trunc(points);
    return {text, QString::number(static_cast<long long>(picas)), QString::number(static_cast<long long>(wholePoints)),
            QString::number(points - wholePoints, 'g', 6).mid(1)};
}

bool DoubleSpinEditQt::PicaPointOfText(PicaPoint *value) const
{
    const QStringList parts = SplitPicaText(withoutSuffix(lineEdit()->text()));
    if (parts.isEmpty())
        return false;
    *value = PicaPoint{parts[1].toLongLong(), (parts[2] + parts[3]).toDouble()};
    return true;
}

QString DoubleSpinEditQt::picaText(PicaPoint value) const
{
    value = NormalizePicaPoint(value);
    QString text;
    if (value.picas == 0 && value.points < 0)
        text += QLatin1Char('-');
    text += QString::number(value.picas) + QChar::fromLatin1(m_decimalChar ? m_decimalChar : 'p');
    return text + QString::number(std::fabs(value.points), 'f', decimals());
}

double DoubleSpinEditQt::PicaValueForm(PicaPoint value) const
{
    const QStringList parts = SplitPicaText(picaText(value));
    if (parts.isEmpty())
        return PicaPointToPicas(NormalizePicaPoint(value));
    return (parts[1] + kNumberPoint + parts[2]).toDouble();
}

void DoubleSpinEditQt::SetPicaPointValue(PicaPoint value)
{
    const QStringList parts = SplitPicaText(picaText(value));
    if (parts.isEmpty()) {
        m_pointsFraction.clear();
        m_pointsDigits = 0;
        return;
    }
    m_pointsFraction = parts[3];
    m_pointsDigits = parts[2].size();
    setValue((parts[1] + kNumberPoint + parts[2]).toDouble());
}

PicaPoint DoubleSpinEditQt::GetPicaPointValue() const
{
    // Written with the points digits the value holds, so 1p10 (1.10) does not
    // read back as 1p1.
    QString text = QString::number(value(), 'f', m_pointsDigits < 2 ? 1 : m_pointsDigits);
    text.replace(kNumberPoint, QChar::fromLatin1(m_decimalChar ? m_decimalChar : 'p'));
    const QStringList parts = SplitPicaText(text + m_pointsFraction);
    if (!parts.isEmpty())
        return PicaPoint{parts[1].toLongLong(), (parts[2] + parts[3]).toDouble()};
    const long long picas = BoundedPicas(value());
    return NormalizePicaPoint(PicaPoint{picas, (value() - static_cast<double>(picas)) * 12.0});
}

void DoubleSpinEditQt::stepBy(int steps)
{
    if (singleStep() != m_step)
        setSingleStep(m_step);
    if (m_picaMode) {
        const double length = PicaPointToPicas(NormalizePicaPoint(GetPicaPointValue())) + singleStep() * steps;
        const long long picas = BoundedPicas(length);
        // Rounded as shown first, so 11.9999 points carry as the 12 they show.
        const double points =
            QString::number((length - static_cast<double>(picas)) * 12.0, 'f', decimals()).toDouble();
        SetPicaPointValue(NormalizePicaPoint(PicaPoint{picas, points}));
    } else {
        QAbstractSpinBox::stepBy(steps);
    }
    emit arrowValueChanged(value(), singleStep() * steps);
}

void DoubleSpinEditQt::mousePressEvent(QMouseEvent *event)
{
    // The value as the press starts: an arrow press that leaves it where it
    // was, at a bound, is reported, however the value got there.
    m_valueAtLastPress = value();
    QDoubleSpinBox::mousePressEvent(event);
    if (value() == m_valueAtLastPress) {
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        const QPoint point = event->localPos().toPoint();
        const QRect up = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
        const QRect down = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown, this);
        if (up.contains(point) && value() == maximum())
            emit arrowValueChanged(maximum(), 0);
        else if (down.contains(point) && value() == minimum())
            emit arrowValueChanged(minimum(), 0);
    }
    m_valueAtLastPress = value();
}

void DoubleSpinEditQt::keyPressEvent(QKeyEvent *event)
{
    m_valueAtLastPress = value();
    QDoubleSpinBox::keyPressEvent(event);
    const int key = event->key();
    if (value() == m_valueAtLastPress) {
        if (key == Qt::Key_Down && value() == minimum())
            emit arrowValueChanged(minimum(), 0);
        else if (key == Qt::Key_Up && value() == maximum())
            emit arrowValueChanged(maximum(), 0);
    }
    m_valueAtLastPress = value();
    if (key == Qt::Key_Backspace && !suffix().isEmpty()) {
        QLineEdit *edit = lineEdit();
        const int suffixStart = edit->text().lastIndexOf(suffix());
        if (suffixStart >= 0 && edit->cursorPosition() > suffixStart)
            edit->setCursorPosition(suffixStart);
    }
}

void DoubleSpinEditQt::focusOutEvent(QFocusEvent *event)
{
    if (!m_correction) {
        const double typed = valueFromText(text());
        if (typed == minimum())
            setValue(minimum());
        else if (typed == maximum())
            setValue(maximum());
    }
    // The typed picas and points become the value; each edit reported them already.
    PicaPoint typed;
    if (m_picaMode && qobject_cast<CustomLineEdit *>(lineEdit()) && PicaPointOfText(&typed)) {
        DoubleSpinEdit *owner = m_owner.get();
        const bool wasBlocked = owner && owner->OnPicaValueChanged.IsBlocked();
        if (owner)
            owner->OnPicaValueChanged.SetBlocked(true);
        SetPicaPointValue(typed);
        // Asked again: a handler of the change may have released the edit.
        if ((owner = m_owner.get()))
            owner->OnPicaValueChanged.SetBlocked(wasBlocked);
    }
    QDoubleSpinBox::focusOutEvent(event);
}

} // namespace AUILib
