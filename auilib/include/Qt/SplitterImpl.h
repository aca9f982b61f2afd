#pragma once

#include "BaseImplQt.h"
#include "Splitter.h"
#include "SplitterQt.h"

#include <list>

namespace AUILib {

// Drives the widget it makes, a SplitterQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
// Once the widget is gone the setters do nothing.
class Splitter::impl : public BaseImplQt
{
public:
    explicit impl(Splitter *owner);
    ~impl() override;

    bool DynamicResizing() const;
    void SetDynamicResizing(bool dynamic);
    void SetSizes(const std::list<int> &sizes);
    void SetHandleWidth(int width);
};

} // namespace AUILib
