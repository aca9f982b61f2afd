#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"

#include <QDialogButtonBox>

#include <memory>

class QWidget;

namespace AUILib {

class Button;

// A row or column of standard dialog buttons. Its widget is made without a parent; Create places it.
class ButtonBox : public BaseGUIObject
{
public:
    ButtonBox();
    ~ButtonBox() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // False lays the buttons out in a row, true in a column.
    void SetOrientation(bool vertical);
    // The control over the box's push button for `which`: one of those a
    // dialog built from a form made; empty for a button the box does not show
    // and on a box no form filled.
    std::shared_ptr<Button> GetButton(QDialogButtonBox::StandardButton which);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
