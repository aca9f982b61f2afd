#pragma once

#include "BaseImplQt.h"
#include "GroupBox.h"
#include "GroupBoxQt.h"

#include <string>

namespace AUILib {

// Drives the widget it makes, a GroupBoxQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class GroupBox::impl : public BaseImplQt
{
public:
    explicit impl(GroupBox *owner);
    ~impl() override;

    // Shows or hides the box, then repaints at once an area of the box's size
    // at the top-left corner of its parent (of the box itself without one),
    // whatever `repaint` says.
    void Show(bool show, bool repaint) override;

    void SetText(const std::wstring &text);
    // The whole title while the box shows the part of it SetText left;
    // otherwise what the box shows (a form or Qt may have set it).
    std::wstring GetText() const;

private:
    // A title longer than the box shows, whole; empty otherwise.
    std::wstring m_longTitle;
};

} // namespace AUILib
