#pragma once

#include "BaseImplQt.h"
#include "CheckBox.h"
#include "CheckBoxQt.h"

#include <string>

namespace AUILib {

// Drives the widget it makes, a CheckBoxQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
// Once the widget is gone the setters do nothing and the getters answer
// unchecked and an empty text.
class CheckBox::impl : public BaseImplQt
{
public:
    explicit impl(CheckBox *owner);
    ~impl() override;

    void SetCheck(CheckBoxStates state);
    CheckBoxStates GetCheck() const;
    void SetTristate(bool tristate);
    void SetText(const std::wstring &text);
    std::wstring GetText() const;
    void SetWrap(bool wrap);
    void SetMinimumHeight(unsigned int height);
};

} // namespace AUILib
