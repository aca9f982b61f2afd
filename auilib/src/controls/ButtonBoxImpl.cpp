#include "ButtonBoxImpl.h"

#include "Button.h"
#include "FormElement.h"
#include "TrString.h"

#include <QPushButton>

namespace AUILib {

namespace {

// The standard buttons a form's box gets wrapped, in the order they are
// wrapped, with the name that keys their translated caption.
struct StandardButton
{
    QDialogButtonBox::StandardButton button;
    const wchar_t *name;
};

const StandardButton kStandardButtons[] = {
    {QDialogButtonBox::Reset, L"Reset"}, {QDialogButtonBox::Yes, L"Yes"},       {QDialogButtonBox::Ok, L"OK"},
    {QDialogButtonBox::Retry, L"Retry"}, {QDialogButtonBox::Ignore, L"Ignore"}, {QDialogButtonBox::No, L"No"},
    {QDialogButtonBox::Abort, L"Abort"}, {QDialogButtonBox::Cancel, L"Cancel"},
};

} // namespace

ButtonBox::impl::impl(ButtonBox *owner)
    : BaseImplQt(owner)
{
    MakeWidget<ButtonBoxQt>();
}

ButtonBox::impl::~impl()
{
    // Newest first, the reverse of how they were added.
    while (!m_buttons.empty())
        m_buttons.pop_back();
}

void ButtonBox::impl::OnFormLoaded(const FormElement &element)
{
    auto *box = WidgetAs<QDialogButtonBox>();
    if (!box)
        return;
    // Every connection from the box to the form's objects: the form's own. The
    // box's connections to this implementation stay.
    QWidget *window = element.Window();
    if (window) {
        QObject::disconnect(box, nullptr, window, nullptr);
        for (QObject *object : window->findChildren<QObject *>())
            QObject::disconnect(box, nullptr, object, nullptr);
    }
    for (const StandardButton &standard : kStandardButtons) {
        QPushButton *push = box->button(standard.button);
        if (!push)
            continue;
        auto button = std::make_shared<Button>(push);
        const std::wstring name(standard.name);
        push->setText(QString::fromStdWString(TrString(std::wstring(), L"AUILib::BBox" + name, name)));
        m_buttons.push_back(button);
    }
}

} // namespace AUILib
