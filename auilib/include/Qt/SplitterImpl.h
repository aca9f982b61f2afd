#pragma once

#include "BaseImplQt.h"
#include "Splitter.h"
#include "SplitterQt.h"

namespace AUILib {

// Drives the widget it makes, a SplitterQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class Splitter::impl : public BaseImplQt
{
public:
    explicit impl(Splitter *owner);
    ~impl() override;
};

} // namespace AUILib
