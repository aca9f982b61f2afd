#include "CheckBoxImpl.h"

#include "AUILibUtils.h"
#include "SizeBound.h"

#include <QString>

namespace AUILib {

CheckBox::impl::impl(CheckBox *owner)
    : BaseImplQt(owner)
{
    auto *box = MakeWidget<CheckBoxQt>();
    Connect(box, &QAbstractButton::clicked, [this] { Fire(&CheckBox::OnClicked); });
}

CheckBox::impl::~impl() = default;

void CheckBox::impl::SetCheck(CheckBoxStates state)
{
    auto *box = WidgetAs<CheckBoxQt>();
    if (!box)
        return;
    if (!box->isTristate() && state == CheckBoxIndeterminate)
        return;
    box->setCheckState(AUILibUtils::ChBStateToQtChBState(state));
}

CheckBoxStates CheckBox::impl::GetCheck() const
{
    auto *box = WidgetAs<CheckBoxQt>();
    return box ? AUILibUtils::QtChBStateToChBState(box->checkState()) : CheckBoxUnchecked;
}

void CheckBox::impl::SetTristate(bool tristate)
{
    if (auto *box = WidgetAs<CheckBoxQt>())
        box->setTristate(tristate);
}

void CheckBox::impl::SetText(const std::wstring &text)
{
    auto *box = WidgetAs<CheckBoxQt>();
    if (!box)
        return;
    const ProgrammaticUpdateScope programmatic(*this);
    box->setText(QString::fromStdWString(text));
}

std::wstring CheckBox::impl::GetText() const
{
    auto *box = WidgetAs<CheckBoxQt>();
    return box ? box->text().toStdWString() : std::wstring();
}

void CheckBox::impl::SetWrap(bool wrap)
{
    if (auto *box = WidgetAs<CheckBoxQt>())
        box->SetWrap(wrap);
}

void CheckBox::impl::SetMinimumHeight(unsigned int height)
{
    if (auto *box = WidgetAs<CheckBoxQt>())
        box->setMinimumHeight(SizeBound::Height(height));
}

} // namespace AUILib
