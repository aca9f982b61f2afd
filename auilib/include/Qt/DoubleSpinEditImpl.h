#pragma once

#include "BaseImplQt.h"
#include "DoubleSpinEdit.h"
#include "DoubleSpinEditQt.h"

#include <QPointer>

namespace AUILib {

class CustomLineEdit;

// Drives the widget it makes, a DoubleSpinEditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class DoubleSpinEdit::impl : public BaseImplQt
{
public:
    explicit impl(DoubleSpinEdit *owner);
    ~impl() override;

    // Null once Qt deleted the widget.
    DoubleSpinEditQt *Spin() const { return WidgetAs<DoubleSpinEditQt>(); }
    void SupportPicaPoints(bool on);
    // A form's single step becomes the control's step.
    void OnFormLoaded(const FormElement &element) override;

private:
    // Every edit of a pica text: keeps its points digits and fraction and runs
    // the value dispatch, which reads the text as picas and points.
    void onPicaTextChanged(const QString &text);
    void onValueChanged(double value);
    void onArrowValueChanged(double value, double step);

    QPointer<CustomLineEdit> m_picaEdit;
};

} // namespace AUILib
