#pragma once

#include "BaseImplQt.h"
#include "ButtonBox.h"
#include "ButtonBoxQt.h"

#include <memory>
#include <vector>

namespace AUILib {

class Button;

// Drives the box it makes, a ButtonBoxQt: placed by Create or a form, the box
// belongs to its Qt parent; never placed, it goes with this implementation.
class ButtonBox::impl : public BaseImplQt
{
public:
    explicit impl(ButtonBox *owner);
    ~impl() override;

    // The controls over the box's standard push buttons, in the order the
    // form's box was wrapped; empty for a box not built from a form.
    std::vector<std::shared_ptr<Button>> &Buttons() { return m_buttons; }

    // Wraps the standard buttons the form gave the box, with translated texts,
    // and cuts the form's connections from the box (its accepted and rejected
    // would finish the dialog behind the application's back).
    void OnFormLoaded(const FormElement &element) override;

    // Nothing once the box is gone.
    void SetOrientation(bool vertical);
    // Empty once the box is gone.
    std::shared_ptr<Button> GetButton(QDialogButtonBox::StandardButton which);

private:
    std::vector<std::shared_ptr<Button>> m_buttons;
};

} // namespace AUILib
