// Sliders, scroll bars, progress bars, spin edits and date edits.
#include "DateEdit.h"
#include "DoubleSpinEdit.h"
#include "Draw.h"
#include "OperationTable.h"
#include "ProgressBar.h"
#include "ScrollBar.h"
#include "Slider.h"
#include "SpinEdit.h"

using namespace AUILib;

namespace {

using Role = OperationRole;

int value(Draw &d)
{
    return d.random().percent(60) ? d.between(-10, 120) : d.number();
}

template <class T>
void addRange(OperationTable &t, ControlKind k)
{
    t.add<T>(k, "SetRange", Role::Change, [](T &c, Draw &d) {
        const int low = value(d), high = value(d);
        d.call();
        c.SetRange(low, high);
    });
    t.add<T>(k, "SetValue", Role::Change, [](T &c, Draw &d) {
        const int v = value(d);
        d.call();
        c.SetValue(v);
        if (d.alive())
            c.GetValue();
    });
}

template <class T>
void addSteps(OperationTable &t, ControlKind k)
{
    t.add<T>(k, "SetPageSize", Role::Change, [](T &c, Draw &d) {
        const int size = d.number();
        d.call();
        c.SetPageSize(size);
    });
    t.add<T>(k, "SetLineSize", Role::Change, [](T &c, Draw &d) {
        const int size = d.number();
        d.call();
        c.SetLineSize(size);
    });
}

void addSpinEdits(OperationTable &t)
{
    const ControlKind s = ControlKindSpinEdit;
    t.add<SpinEdit>(s, "SetRange", Role::Change, [](SpinEdit &c, Draw &d) {
        const long long a = d.wide(), b = d.wide();
        d.call();
        c.SetRange(a, b);
    });
    t.add<SpinEdit>(s, "SetValue", Role::Change, [](SpinEdit &c, Draw &d) {
        const long long v = d.wide();
        d.call();
        c.SetValue(v);
        if (d.alive())
            c.GetValue();
    });
    t.add<SpinEdit>(s, "SetStep", Role::Change, [](SpinEdit &c, Draw &d) {
        const long long v = d.wide();
        d.call();
        c.SetStep(v);
    });
    t.add<SpinEdit>(s, "SetSuffix", Role::Change, [](SpinEdit &c, Draw &d) {
        const std::wstring suffix = d.text();
        d.call();
        c.SetSuffix(suffix);
        if (d.alive())
            c.GetSuffix();
    });
    t.add<SpinEdit>(s, "LastValidValueCorrection", Role::Mode, [](SpinEdit &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.LastValidValueCorrection(on);
        if (d.alive())
            c.SetBalloonNaNtext(L"first", L"second");
        if (d.alive())
            c.SetBorderRadius(4);
    });

    const ControlKind k = ControlKindDoubleSpinEdit;
    t.add<DoubleSpinEdit>(k, "SetRange", Role::Change, [](DoubleSpinEdit &c, Draw &d) {
        if (d.flag()) {
            const double a = d.real(), b = d.real();
            d.call();
            c.SetRange(a, b);
        } else {
            const PicaPoint a = d.pica(), b = d.pica();
            d.call();
            c.SetRange(a, b);
        }
    });
    t.add<DoubleSpinEdit>(k, "SetValue", Role::Change, [](DoubleSpinEdit &c, Draw &d) {
        if (d.flag()) {
            const double v = d.real();
            d.call();
            c.SetValue(v);
        } else {
            const PicaPoint v = d.pica();
            d.call();
            c.SetValue(v);
        }
        if (d.alive())
            c.GetValue();
        if (d.alive())
            c.GetPicaPointValue();
    });
    t.add<DoubleSpinEdit>(k, "SetStep", Role::Change, [](DoubleSpinEdit &c, Draw &d) {
        if (d.flag()) {
            const double v = d.real();
            d.call();
            c.SetStep(v);
        } else {
            const PicaPoint v = d.pica();
            d.call();
            c.SetStep(v);
        }
    });
    t.add<DoubleSpinEdit>(k, "SetPrecision", Role::Change, [](DoubleSpinEdit &c, Draw &d) {
        const int decimals = d.random().percent(60) ? d.between(-2, 20) : d.number();
        d.call();
        c.SetPrecision(decimals);
    });
    t.add<DoubleSpinEdit>(k, "SetSuffix", Role::Change, [](DoubleSpinEdit &c, Draw &d) {
        const std::wstring suffix = d.text();
        d.call();
        c.SetSuffix(suffix);
        if (d.alive())
            c.GetSuffix();
        if (d.alive())
            c.SetBalloonNaNtext(suffix, suffix);
    });
    t.add<DoubleSpinEdit>(k, "LastValidValueCorrection", Role::Mode, [](DoubleSpinEdit &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.LastValidValueCorrection(on);
        if (d.alive())
            c.SetBorderRadius(3);
    });
    t.add<DoubleSpinEdit>(k, "SetDecimalChar", Role::Mode, [](DoubleSpinEdit &c, Draw &d) {
        const char decimal = d.character();
        d.call();
        c.SetDecimalChar(decimal);
    });
    t.add<DoubleSpinEdit>(k, "SupportPicaPoints", Role::Mode, [](DoubleSpinEdit &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.SupportPicaPoints(on);
    });
}

void addDateEdit(OperationTable &t)
{
    const ControlKind k = ControlKindDateEdit;
    t.add<DateEdit>(k, "LoadPicture", Role::Change, [](DateEdit &c, Draw &d) {
        if (d.flag()) {
            const std::wstring path = d.path();
            d.call();
            c.LoadPicture(path);
        } else {
            const PictureArgument p = d.picture();
            d.call();
            c.LoadPicture(p.bytes, p.length, p.type);
        }
    });
    t.add<DateEdit>(k, "SetMode", Role::Mode, [](DateEdit &c, Draw &d) {
        const auto mode = d.choice({DateEdit::DateEditModeTime, DateEdit::DateEditModeDate,
                                    DateEdit::DateEditModeDateTime});
        d.call();
        c.SetMode(mode);
        if (d.alive())
            c.GetMode();
        if (d.alive())
            c.GetWndPtr();
    });
    t.add<DateEdit>(k, "SetDateTime", Role::Change, [](DateEdit &c, Draw &d) {
        const ObDateTime value = d.dateTime();
        d.call();
        c.SetDateTime(value);
        if (d.alive())
            c.GetDateTime();
        if (d.alive())
            c.GetDateTimeString();
    });
    t.add<DateEdit>(k, "SetDateTimeText", Role::Change, [](DateEdit &c, Draw &d) {
        static const wchar_t *const texts[] = {L"12:30", L"1/2/03", L"1/2/03 4:05", L"2024-02-29", L"31/31/31", L""};
        std::wstring text = d.random().percent(60) ? texts[d.random().below(6)] : d.text();
        d.note(Draw::describe(text));
        d.call();
        c.SetDateTime(text);
    });
}

} // namespace

void addValueOperations(OperationTable &t)
{
    addRange<Slider>(t, ControlKindSlider);
    addSteps<Slider>(t, ControlKindSlider);
    addRange<ScrollBar>(t, ControlKindScrollBar);
    addSteps<ScrollBar>(t, ControlKindScrollBar);
    t.add<ScrollBar>(ControlKindScrollBar, "SetBackgroundColor", Role::Change, [](ScrollBar &c, Draw &d) {
        const unsigned int colour = d.colour();
        d.call();
        c.SetBackgroundColor(static_cast<int>(colour));
        if (d.alive())
            c.GetBackgroundColor();
    });
    t.add<ProgressBar>(ControlKindProgressBar, "SetRange", Role::Change, [](ProgressBar &c, Draw &d) {
        const int low = value(d), high = value(d);
        d.call();
        c.SetRange(low, high);
        if (d.alive())
            c.GetMinimum();
        if (d.alive())
            c.GetMaximum();
    });
    t.add<ProgressBar>(ControlKindProgressBar, "SetValue", Role::Change, [](ProgressBar &c, Draw &d) {
        const int v = value(d);
        d.call();
        c.SetValue(v);
        if (d.alive())
            c.GetValue();
    });
    addSpinEdits(t);
    addDateEdit(t);
}
