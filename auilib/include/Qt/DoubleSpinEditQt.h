#pragma once

#include "OwnerRef.h"
#include "PicaPoint.h"

#include <QDoubleSpinBox>
#include <QStringList>

namespace AUILib {

class DoubleSpinEdit;

// The double spin edit's spin box: its own decimal character and step, arrow
// signals at the bounds, and the pica mode, in which the value holds the picas
// before the point and the points digits after it (1p6 is 1.6, 1p10 is 1.10
// shown with two points digits); the fraction of a point is kept as text beside.
class DoubleSpinEditQt : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit DoubleSpinEditQt(DoubleSpinEdit *owner, QWidget *parent = nullptr);
    ~DoubleSpinEditQt() override;

    void SetBalloonNaNtext(const QString &first, const QString &second);
    // Brought into the spin box's single step on the next step.
    void SetStep(double step) { m_step = step; }
    double Step() const { return m_step; }
    void SetLastValidValueCorrection(bool correct) { m_correction = correct; }
    // A digit is refused; 0 goes back to the locale's decimal point.
    void SetDecimalChar(char decimal);
    char DecimalChar() const { return m_decimalChar; }
    void SetPicaMode(bool on) { m_picaMode = on; }
    bool PicaMode() const { return m_picaMode; }

    // Replaces the spin box's line edit. The one before leaves the spin box at
    // once and is deleted once Qt is back in the event loop, hidden and
    // silent until then: Qt may be inside it (a key press whose value change
    // reached a handler that replaced it).
    void ReplaceLineEdit(QLineEdit *edit);

    // The pica mode's value, as picas and points (pica mode only).
    PicaPoint GetPicaPointValue() const;
    void SetPicaPointValue(PicaPoint value);
    // A length as the pica mode's value holds it (1p6 as 1.6).
    double PicaValueForm(PicaPoint value) const;
    // [whole, picas, points, fraction of a point] of a text in picas and points
    // ("1p6.5") or in picas as a number ("1.5"); empty when it is neither.
    QStringList SplitPicaText(QString text) const;
    // The text of the line edit without the suffix, read as picas and points;
    // false when it is none.
    bool PicaPointOfText(PicaPoint *value) const;
    // Kept from the last pica text split (the text handler, SetPicaPointValue).
    void SetPointsFraction(const QString &fraction) { m_pointsFraction = fraction; }
    void SetPointsDigits(int digits) { m_pointsDigits = digits; }

    QValidator::State validate(QString &input, int &pos) const override;
    void stepBy(int steps) override;
    double valueFromText(const QString &text) const override;
    QString textFromValue(double value) const override;

signals:
    // `s` is the step applied; an arrow that cannot move at a bound gives 0.
    void arrowValueChanged(double i, double s);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The pica text of a length: picas, "p", the points with decimals() digits.
    QString picaText(PicaPoint value) const;
    QString withoutSuffix(QString text) const;
    // A bound as the validator reads it: every digit the spin box keeps, in
    // the locale's notation.
    QString boundText(double bound) const;

    OwnerRef<DoubleSpinEdit> m_owner;
    QString m_balloonText;
    QString m_balloonText2;
    double m_valueAtLastPress = 0.0;
    double m_step = 1.0;
    bool m_correction = true;
    char m_decimalChar = 0;
    bool m_picaMode = false;
    QString m_pointsFraction;
    int m_pointsDigits = 0;
};

} // namespace AUILib
