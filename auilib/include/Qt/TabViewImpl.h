#pragma once

#include "BaseImplQt.h"
#include "TabView.h"
#include "TabViewQt.h"

#include <string>

namespace AUILib {

// Drives the widget it makes, a TabViewQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class TabView::impl : public BaseImplQt
{
public:
    explicit impl(TabView *owner);
    ~impl() override;

    void SetCurrentIndex(int index);
    void SetTabText(int index, const std::wstring &text);
    std::wstring GetTabText(int index) const;
    void EnablePage(int index, bool enable, bool withChildren);
    int GetCurrentIndex() const;
    int GetItemCount() const;
};

} // namespace AUILib
