#pragma once

#include "BaseImplQt.h"
#include "Label.h"
#include "LabelQt.h"

#include <string>

namespace AUILib {

// Drives the label it makes, a LabelQt: placed by Create or a form, the
// widget belongs to its Qt parent; never placed, it goes with this
// implementation.
class Label::impl : public BaseImplQt
{
public:
    explicit impl(Label *owner);
    ~impl() override;

    // Stores the text, the source of every later layout, and shows it. Does
    // nothing to the widget once it is gone.
    void SetText(const std::wstring &text);

private:
    std::wstring m_text;
};

} // namespace AUILib
