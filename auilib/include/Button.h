#pragma once

#include "BaseGUIObject.h"
#include "EventSignal.h"

#include <memory>

class QPushButton;
class QWidget;

namespace AUILib {

// A push button: one it makes itself, or a push button that already exists (one
// of a form or of a button box), which it only drives. Either way the widget
// belongs to its Qt parent.
class Button : public BaseGUIObject
{
public:
    Button();
    explicit Button(QPushButton *existing);
    ~Button() override;

    // Fired on every click of the widget.
    EventSignal<void()> OnClicked;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    class impl;

private:
    std::shared_ptr<impl> m_impl;
};

} // namespace AUILib
