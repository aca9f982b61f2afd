#include "SpinEditQt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace AUILib {

namespace {

constexpr long long kLargest = std::numeric_limits<long long>::max();
constexpr long long kSmallest = std::numeric_limits<long long>::min();

// Steps are worked out in 128 bits, so that one beyond the ends of the 64-bit
// range is beyond the bound instead of wrapping around to the other sign; the
// step reported stops at the ends.
using Wide = __int128;

long long saturated(Wide value)
{
    return value > kLargest ? kLargest : value < kSmallest ? kSmallest : static_cast<long long>(value);
}

} // namespace

SpinEditQt::SpinEditQt(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    SetValue(0);
}

SpinEditQt::~SpinEditQt() = default;

void SpinEditQt::setMinimum(long long minimum)
{
    m_minimum = minimum;
    m_maximum = std::max(m_maximum, minimum);
    rangeOrSuffixChanged();
}

void SpinEditQt::setMaximum(long long maximum)
{
    m_maximum = maximum;
    m_minimum = std::min(m_minimum, maximum);
    rangeOrSuffixChanged();
}

void SpinEditQt::SetRange(long long first, long long second)
{
    m_minimum = std::min(first, second);
    m_maximum = std::max(first, second);
    rangeOrSuffixChanged();
}

void SpinEditQt::setSuffix(const QString &suffix)
{
    m_suffix = suffix;
    rangeOrSuffixChanged();
}

void SpinEditQt::rangeOrSuffixChanged()
{
    SetValue(m_value);
    updateGeometry();
}

QSize SpinEditQt::sizeHint() const
{
    ensurePolished();
    const QFontMetrics metrics(fontMetrics());
    int width = 0;
    for (const long long bound : {m_minimum, m_maximum})
        width = std::max(width, metrics.horizontalAdvance(QString::number(bound) + m_suffix + QLatin1Char(' ')));
    if (!specialValueText().isEmpty())
        width = std::max(width, metrics.horizontalAdvance(specialValueText()));
    width += 2; // the blinking cursor
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()
        ->sizeFromContents(QStyle::CT_SpinBox, &option, QSize(width, lineEdit()->sizeHint().height()), this)
        .expandedTo(QApplication::globalStrut());
}

QSize SpinEditQt::minimumSizeHint() const
{
    return sizeHint();
}

void SpinEditQt::SetBalloonNaNtext(const QString &first, const QString &second)
{
    m_balloonText = first;
    m_balloonText2 = second;
}

// The minimum wins when the range is empty.
long long SpinEditQt::bounded(long long value) const
{
    if (m_minimum >= std::min(m_maximum, value))
        return m_minimum;
    return value > m_maximum ? m_maximum : value;
}

void SpinEditQt::SetValue(qlonglong expectedNewValue)
{
    const long long value = bounded(expectedNewValue);
    // The field's validator reads the new text back into the typed value.
    lineEdit()->setText(QString::number(value) + m_suffix);
    if (value != m_value) {
        m_value = value;
        emit valueChanged(value);
    }
}

void SpinEditQt::commitTypedText()
{
    const QString text = lineEdit()->text();
    bool ok = false;
    long long parsed = text.toLongLong(&ok, 10);
    if (!ok && !m_suffix.isEmpty() && text.endsWith(m_suffix))
        parsed = text.left(text.size() - m_suffix.size()).toLongLong(&ok, 10);
    SetValue(ok ? parsed : m_value);
}

void SpinEditQt::selectNumber()
{
    lineEdit()->setSelection(0, lineEdit()->text().size() - m_suffix.size());
}

QValidator::State SpinEditQt::validate(QString &input, int &pos) const
{
    if (!m_suffix.isEmpty()) {
        if (input.endsWith(m_suffix)) {
            input.remove(m_suffix);
        } else {
            // Backspace ate into the suffix: drop what is left of it and keep
            // the cursor after the number.
            const QString partial = m_suffix.left(m_suffix.size() - 1);
            if (!partial.isEmpty())
                input.remove(partial);
            pos = input.size();
        }
    }
    bool ok = false;
    long long number = input.toLongLong(&ok, 10);
    if (!ok)
        number = 0;

    const auto accept = [&](long long typed) {
        m_typedValue = typed;
        if (!m_suffix.isEmpty())
            input += m_suffix;
        return QValidator::Acceptable;
    };
    const auto replaceBy = [&](long long bound) {
        input = QString::number(bound);
        return accept(bound);
    };

    if (input.isEmpty())
        return accept(number);
    if (input == QLatin1String("-") && (m_maximum < 0 || m_minimum < 0))
        return accept(number);
    if (!ok)
        return QValidator::Invalid;

    if (number > m_maximum) {
        if (number > 0 && !m_correction)
            return replaceBy(m_maximum);
        if (number < m_minimum && number < 0 && !m_correction)
            return replaceBy(m_minimum);
    } else {
        if (m_minimum <= number)
            return accept(number);
        if (number < 0 && !m_correction)
            return replaceBy(m_minimum);
    }

    // Out of the range: a number on its way to the minimum (no more tens than
    // the minimum has) may still be typed.
    if (number >= 0 && number >= m_minimum)
        return QValidator::Invalid;
    if (number < 0 && number < m_minimum)
        return QValidator::Invalid;
    if (std::llabs(number / 10) > std::llabs(m_minimum / 10))
        return QValidator::Invalid;
    return accept(number);
}

void SpinEditQt::stepBy(int steps)
{
    if (isReadOnly())
        return;
    if (lineEdit()->text() != QString::number(m_value) + m_suffix)
        commitTypedText();
    const Wide applied = static_cast<Wide>(m_step) * steps;
    const Wide wanted = applied + m_value;
    long long next = 0;
    if (wrapping()) {
        // A step from inside the range stops at the bound; only one from the
        // bound goes round.
        if (wanted > m_maximum)
            next = m_value == m_maximum ? m_minimum : m_maximum;
        else if (wanted < m_minimum)
            next = m_value == m_minimum ? m_maximum : m_minimum;
        else
            next = static_cast<long long>(wanted);
    } else {
        next = bounded(saturated(wanted));
    }
    SetValue(next);
    emit arrowValueChanged(next, saturated(applied));
    selectNumber();
}

QAbstractSpinBox::StepEnabled SpinEditQt::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    StepEnabled enabled = StepNone;
    if (wrapping() || m_value < m_maximum)
        enabled |= StepUpEnabled;
    if (wrapping() || m_value > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void SpinEditQt::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        selectNumber();
        commitTypedText();
    }
    if ((key == Qt::Key_Down && m_value == m_minimum) || (key == Qt::Key_Up && m_value == m_maximum))
        emit arrowValueChanged(m_value, 0);

    QAbstractSpinBox::keyPressEvent(event);

    // The cursor stays out of the suffix.
    if (!m_suffix.isEmpty()) {
        QLineEdit *edit = lineEdit();
        const int suffixStart = edit->text().lastIndexOf(m_suffix);
        if (suffixStart >= 0 && edit->cursorPosition() > suffixStart) {
            if (key == Qt::Key_Backspace || key == Qt::Key_Left)
                edit->setCursorPosition(suffixStart);
            else if (key == Qt::Key_Right)
                edit->setCursorPosition(edit->text().size());
        }
    }
}

void SpinEditQt::mousePressEvent(QMouseEvent *event)
{
    // The value as the press starts: an arrow press that leaves it where it
    // was, at a bound, is reported, however the value got there.
    m_valueAtLastPress = m_value;
    QAbstractSpinBox::mousePressEvent(event);
    if (m_value == m_valueAtLastPress) {
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        const QPoint point = event->localPos().toPoint();
        const QRect up = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
        const QRect down = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown, this);
        if (up.contains(point) && m_value == m_maximum)
            emit arrowValueChanged(m_value, 0);
        else if (down.contains(point) && m_value == m_minimum)
            emit arrowValueChanged(m_value, 0);
    }
    m_valueAtLastPress = m_value;
}

void SpinEditQt::focusOutEvent(QFocusEvent *event)
{
    if (m_correction && (m_typedValue < m_minimum || m_typedValue > m_maximum))
        SetValue(m_value);
    else
        commitTypedText();
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace AUILib
