#pragma once

#include <QAbstractSpinBox>
#include <QString>

namespace AUILib {

// A spin box over a 64-bit value that does its own parsing, stepping and
// display. A form names it "QSpinBox": the QSpinBox properties it shares
// (minimum, maximum, singleStep, value, suffix) reach it as properties of its
// own, set in the order Designer writes them.
class SpinEditQt : public QAbstractSpinBox
{
    Q_OBJECT
    Q_PROPERTY(QString suffix READ suffix WRITE setSuffix)
    Q_PROPERTY(qlonglong minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(qlonglong maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(qlonglong singleStep READ singleStep WRITE setSingleStep)
    Q_PROPERTY(qlonglong value READ value WRITE SetValue NOTIFY valueChanged USER true)

public:
    explicit SpinEditQt(QWidget *parent = nullptr);
    ~SpinEditQt() override;

    // The committed value, shown in the field.
    long long value() const { return m_value; }
    long long minimum() const { return m_minimum; }
    long long maximum() const { return m_maximum; }
    long long singleStep() const { return m_step; }
    QString suffix() const { return m_suffix; }

    // As QSpinBox does: the other bound follows when it would cross.
    void setMinimum(long long minimum);
    void setMaximum(long long maximum);
    // From the smaller to the larger of the two.
    void SetRange(long long first, long long second);
    // Taken as it is, negative too.
    void setSingleStep(long long step) { m_step = step; }
    void setSuffix(const QString &suffix);

    void SetBalloonNaNtext(const QString &first, const QString &second);
    void SetLastValidValueCorrection(bool correct) { m_correction = correct; }
    bool LastValidValueCorrection() const { return m_correction; }

    QValidator::State validate(QString &input, int &pos) const override;
    void stepBy(int steps) override;
    // Wide enough for the longer of the bounds with the suffix, as QSpinBox
    // measures its own.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void valueChanged(qlonglong i);
    // `s` is the step applied; an arrow that cannot move at a bound gives 0.
    void arrowValueChanged(qlonglong i, qlonglong s);

public slots:
    // The value last accepted from the field's text.
    qlonglong GetValue() const { return m_typedValue; }
    void SetValue(qlonglong expectedNewValue);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    StepEnabled stepEnabled() const override;

private:
    long long bounded(long long value) const;
    // The new range or suffix changes the room the text needs.
    void rangeOrSuffixChanged();
    // Enter, a step and focus out take the field's number (with or without
    // the suffix); text that is no number shows the committed value again.
    void commitTypedText();
    // The number without the suffix.
    void selectNumber();

    QString m_suffix;
    long long m_step = 1;
    long long m_minimum = 0;
    long long m_maximum = 100;
    long long m_value = 0;
    QString m_balloonText;
    QString m_balloonText2;
    // Written by validate, which Qt calls on a const spin box.
    mutable long long m_typedValue = 0;
    long long m_valueAtLastPress = 0;
    bool m_correction = true;
};

} // namespace AUILib
