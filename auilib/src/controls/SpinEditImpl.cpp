#include "SpinEditImpl.h"

namespace AUILib {

SpinEdit::impl::impl(SpinEdit *owner)
    : BaseImplQt(owner)
{
    SpinEditQt *spin = MakeWidget<SpinEditQt>();
    Connect(spin, &SpinEditQt::valueChanged, [this](qlonglong value) { Fire(&SpinEdit::OnValueChanged, value); });
    Connect(spin, &SpinEditQt::arrowValueChanged,
            [this](qlonglong value, qlonglong step) { Fire(&SpinEdit::OnArrowValueChanged, value, step); });
}

SpinEdit::impl::~impl() = default;

} // namespace AUILib
