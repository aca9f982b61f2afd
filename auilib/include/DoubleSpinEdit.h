#pragma once

#include "BaseGUIObject.h"

#include <memory>

class QWidget;

namespace AUILib {

// A decimal spin edit. Its widget is made without a parent; Create places it.
class DoubleSpinEdit : public BaseGUIObject
{
public:
    DoubleSpinEdit();
    ~DoubleSpinEdit() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    class impl;

private:
    std::shared_ptr<impl> m_impl;
};

} // namespace AUILib
