#pragma once

#include "BaseImplQt.h"
#include "Button.h"

class QPushButton;

namespace AUILib {

// Drives its push button: one it makes (a ButtonQt, placed by Create or a
// form), or one that exists (a button box's standard button), which stays its
// owner's.
class Button::impl : public BaseImplQt
{
public:
    // A null `existing` makes a new button.
    impl(Button *owner, QPushButton *existing);
    ~impl() override;

    // A disabled button hears no mouse or wheel events.
    bool TakesMouseEventsWhenDisabled() const override;
};

} // namespace AUILib
