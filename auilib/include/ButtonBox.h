#pragma once

#include "BaseGUIObject.h"

#include <memory>

class QWidget;

namespace AUILib {

// A row or column of standard dialog buttons. Its widget is made without a parent; Create places it.
class ButtonBox : public BaseGUIObject
{
public:
    ButtonBox();
    ~ButtonBox() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    class impl;

private:
    std::shared_ptr<impl> m_impl;
};

} // namespace AUILib
